// Linked with the whole archive of one layer and the layers below it only: a call into a layer
// above (a wrong include) leaves an undefined reference and fails the build.
int main() {
  return 0;
}

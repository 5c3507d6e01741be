#include "process/Processes.h"

#include <algorithm>

namespace tulo {

const ProcessState* ProcessResult::StateNamed(std::string_view name) const {
  const auto it = std::ranges::find(states, name, &NamedState::name);
  return it == states.end() ? nullptr : &it->state;
}

std::optional<double> ProcessResult::FigureNamed(std::string_view name) const {
  const auto it = std::ranges::find(figures, name, &Figure::name);
  if (it == figures.end()) return std::nullopt;
  return it->value;
}

}  // namespace tulo

// R12-08 and R15-11 in their scientific form over IAPWS-95 states, end to end: the derivatives at
// the state and at T_R = 1.5 Tc come from StateTRho.

#include <gtest/gtest.h>

#include <vector>

#include "iapws/Iapws95.h"
#include "iapws/PrintedValue.h"
#include "iapws/Transport95.h"

namespace tulo::testing {
namespace {

struct CriticalRow {
  double rho;          // kg/m3
  const char* mu;      // micro Pa s, R12-08 Table 5; nullptr where that table has no point
  const char* lambda;  // mW/(m K), R15-11 Table 5
};

// Both releases' check values at 647.35 K, computed by them with IAPWS-95.
TEST(Transport95Test, ReleaseTables5At647K) {
  const std::vector<CriticalRow> rows = {
      {1, nullptr, "51.9298924"},       {122, "25.520677", "130.922885"}, {222, "31.337589", "367.787459"},
      {272, "36.228143", "757.959776"}, {322, "42.961579", "1443.75556"}, {372, "45.688204", "650.319402"},
      {422, "49.436256", "448.883487"}, {750, nullptr, "600.961346"},
  };
  for (const CriticalRow& r : rows) {
    const iapws::FluidProps f = iapws95::StateTRho(647.35, r.rho);
    const iapws95::Transport t = iapws95::TransportProperties({f.rho, f.T, f.cp, f.cv, f.kappaT});
    if (r.mu != nullptr) {
      EXPECT_TRUE(MatchesPrinted(t.mu * 1e6, r.mu)) << r.rho;
    }
    EXPECT_TRUE(MatchesPrinted(t.lambda * 1e3, r.lambda)) << r.rho;
  }
}

}  // namespace
}  // namespace tulo::testing

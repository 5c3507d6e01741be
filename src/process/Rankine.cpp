// The Rankine cycle, per kg of steam through the boiler. With an open feedwater heater a fraction
// y of it is bled from the turbine at the heater pressure, found from the heater's balance
// y h_bleed + (1 - y) h_condensate = h_heater_outlet (saturated liquid). Each turbine section
// expands from its inlet; the bleed state lies on its section's expansion, at the section's
// efficiency from the section inlet (not stage by stage).

#include <vector>

#include "process/ProcessSteps.h"

namespace tulo {
using namespace process;
namespace {

// The cycle's input checked: every pressure positive and in the order the cycle needs.
void CheckInput(const RankineInput& in) {
  RequirePositive(in.boilerPressure, "the boiler pressure", "kPa");
  RequirePositive(in.condenserPressure, "the condenser pressure", "kPa");
  if (in.condenserPressure >= in.boilerPressure)
    Refuse(Quoted("the condenser pressure", in.condenserPressure, "kPa") + " is not below the boiler pressure (" +
           Num(in.boilerPressure) + " kPa)");
  if (in.turbineInletTemperature) RequirePositive(*in.turbineInletTemperature, "the turbine inlet temperature", "K");
  if (in.reheatPressure.has_value() != in.reheatTemperature.has_value())
    Refuse("reheat needs both its pressure and its temperature");
  for (const auto& [value, what] : {std::pair{in.reheatPressure, "the reheat pressure"},
                                    std::pair{in.feedwaterHeaterPressure, "the feedwater heater pressure"}}) {
    if (!value) continue;
    RequirePositive(*value, what, "kPa");
    if (*value <= in.condenserPressure || *value >= in.boilerPressure)
      Refuse(Quoted(what, *value, "kPa") + " lies outside the condenser and boiler pressures (" +
             Num(in.condenserPressure) + " to " + Num(in.boilerPressure) + " kPa)");
  }
  if (in.reheatTemperature) RequirePositive(*in.reheatTemperature, "the reheat temperature", "K");
  if (in.netPower) RequirePositive(*in.netPower, "the net power", "kW");
}

// Steam for a turbine: a temperature on the liquid side of the saturation line is no such state.
ProcessState SteamAt(StateEvaluator& evaluator, double T, double P, std::string_view what) {
  const ProcessState state = StateOf(evaluator, {InputPair::kTP, T, P}, what);
  if (state.state.condition != Condition::kSuperheated && state.state.condition != Condition::kSuperCritical)
    Refuse(std::string(what) + ": " + Quoted("the temperature", T, "K") +
           " is not above the saturation temperature at " + Num(P) + " kPa: the turbine needs steam");
  return state;
}

class CycleBuilder {
 public:
  CycleBuilder(StateEvaluator& evaluator, const RankineInput& in)
      : ev_(evaluator), in_(in), turbineEta_(EfficiencyOf(in.turbineEfficiency, "the turbine efficiency")),
        pumpEta_(EfficiencyOf(in.pumpEfficiency, "the pump efficiency")) {}

  ProcessResult Build();

 private:
  std::size_t Add(const std::string& name, const ProcessState& state) {
    result_.states.push_back({name, state});
    return result_.states.size() - 1;
  }
  const ProcessState& At(std::size_t i) const { return result_.states[i].state; }
  void Join(std::size_t from, std::size_t to, PathKind kind) { result_.legs.push_back({from, to, kind}); }
  std::size_t Pump(std::size_t from, double P, const std::string& name);
  // A turbine state at P on the expansion of the section that starts at `section`, joined to
  // `from`, the state before it on that expansion.
  std::size_t ExpandSection(std::size_t section, std::size_t from, double P, const std::string& name);
  // The feedwater side from the condenser to the boiler; returns the boiler inlet.
  std::size_t FeedWater();
  // The turbine: its sections, the reheat and the bleed; returns the turbine outlet.
  std::size_t Turbine(std::size_t inlet);
  // The bleed fraction and the figures, per kg of steam through the boiler.
  void Balance(std::size_t boilerInlet, std::size_t inlet, std::size_t outlet);

  StateEvaluator& ev_;
  const RankineInput& in_;
  double turbineEta_, pumpEta_;
  ProcessResult result_;
  std::size_t condensate_ = 0, heaterInlet_ = 0, heaterOutlet_ = 0;
  std::optional<std::size_t> bleed_, reheatInlet_, reheatOutlet_;
  std::vector<Leg> turbineLegs_;
};

std::size_t CycleBuilder::Pump(std::size_t from, double P, const std::string& name) {
  const std::size_t to = Add(name, ExpandFrom(ev_, Machine::kPump, At(from), P, pumpEta_, name).outlet);
  Join(from, to, PathKind::kExpansion);
  return to;
}

std::size_t CycleBuilder::ExpandSection(std::size_t section, std::size_t from, double P, const std::string& name) {
  const std::size_t to = Add(name, ExpandFrom(ev_, Machine::kTurbine, At(section), P, turbineEta_, name).outlet);
  Join(from, to, PathKind::kExpansion);
  turbineLegs_.push_back({from, to, PathKind::kExpansion});
  return to;
}

std::size_t CycleBuilder::FeedWater() {
  const bool heater = in_.feedwaterHeaterPressure.has_value();
  const std::string inlet = heater ? "condensate pump inlet" : "pump inlet";
  condensate_ = Add(inlet, SaturatedAt(ev_, in_.condenserPressure, 0.0, inlet));
  if (!heater) return Pump(condensate_, in_.boilerPressure, "pump outlet");
  const double Pf = *in_.feedwaterHeaterPressure;
  heaterInlet_ = Pump(condensate_, Pf, "condensate pump outlet");
  heaterOutlet_ = Add("feedwater heater outlet", SaturatedAt(ev_, Pf, 0.0, "feedwater heater outlet"));
  Join(heaterInlet_, heaterOutlet_, PathKind::kIsobaric);
  return Pump(heaterOutlet_, in_.boilerPressure, "feed pump outlet");
}

std::size_t CycleBuilder::Turbine(std::size_t inlet) {
  const std::optional<double> Pf = in_.feedwaterHeaterPressure;
  std::size_t section = inlet, at = inlet;
  if (in_.reheatPressure) {
    const double Prh = *in_.reheatPressure;
    if (Pf && *Pf > Prh) bleed_ = at = ExpandSection(section, at, *Pf, "bleed");
    reheatInlet_ = at = ExpandSection(section, at, Prh, "high-pressure turbine outlet");
    if (Pf && *Pf == Prh) bleed_ = reheatInlet_;
    const std::string name = "low-pressure turbine inlet";
    reheatOutlet_ = section = at = Add(name, SteamAt(ev_, *in_.reheatTemperature, Prh, name));
    Join(*reheatInlet_, *reheatOutlet_, PathKind::kIsobaric);
  }
  if (Pf && !bleed_) bleed_ = at = ExpandSection(section, at, *Pf, "bleed");
  return ExpandSection(section, at, in_.condenserPressure,
                       in_.reheatPressure ? "low-pressure turbine outlet" : "turbine outlet");
}

void CycleBuilder::Balance(std::size_t boilerInlet, std::size_t inlet, std::size_t outlet) {
  double y = 0.0, pumpWork = 0.0;
  if (bleed_) {
    const double hb = At(*bleed_).h, h2 = At(heaterInlet_).h, h3 = At(heaterOutlet_).h;
    if (!(hb > h3 && h3 > h2))
      Refuse("the bleed steam (h = " + Num(hb) + " kJ/kg) cannot heat the feedwater to saturation at the heater "
             "pressure (h = " + Num(h3) + " kJ/kg)");
    y = (h3 - h2) / (hb - h2);
    pumpWork = (1.0 - y) * WorkOf(Machine::kPump, At(condensate_), At(heaterInlet_)) +
               WorkOf(Machine::kPump, At(heaterOutlet_), At(boilerInlet));
  } else {
    pumpWork = WorkOf(Machine::kPump, At(condensate_), At(boilerInlet));
  }
  // The whole flow passes the turbine down to the bleed pressure, 1 - y of it beyond.
  const double Pf = in_.feedwaterHeaterPressure.value_or(0.0);
  double turbineWork = 0.0;
  for (const Leg& leg : turbineLegs_)
    turbineWork += (At(leg.to).P >= Pf ? 1.0 : 1.0 - y) * WorkOf(Machine::kTurbine, At(leg.from), At(leg.to));
  double heatIn = At(inlet).h - At(boilerInlet).h;
  if (reheatInlet_) {
    const double reheatFlow = Pf >= *in_.reheatPressure ? 1.0 - y : 1.0;
    heatIn += reheatFlow * (At(*reheatOutlet_).h - At(*reheatInlet_).h);
  }
  const double heatOut = (1.0 - y) * (At(outlet).h - At(condensate_).h);
  const double netWork = turbineWork - pumpWork;
  if (!(netWork > 0.0)) Refuse("the cycle's net work (" + Num(netWork) + " kJ/kg) is not positive");
  const double efficiency = netWork / heatIn * 100.0;
  result_.figures = {{"turbine_work", turbineWork, FigureKind::kSpecificEnergy},
                     {"pump_work", pumpWork, FigureKind::kSpecificEnergy},
                     {"net_work", netWork, FigureKind::kSpecificEnergy},
                     {"heat_in", heatIn, FigureKind::kSpecificEnergy},
                     {"heat_out", heatOut, FigureKind::kSpecificEnergy},
                     {"efficiency", efficiency, FigureKind::kPercent},
                     {"back_work_ratio", pumpWork / turbineWork * 100.0, FigureKind::kPercent},
                     {"heat_rate", 3600.0 / (efficiency / 100.0), FigureKind::kHeatRate}};
  if (bleed_) result_.figures.push_back({"bleed_fraction", y * 100.0, FigureKind::kPercent});
  if (in_.netPower) result_.figures.push_back({"steam_flow", *in_.netPower / netWork, FigureKind::kFlow});
}

ProcessResult CycleBuilder::Build() {
  result_.stateList = true;
  const std::size_t boilerInlet = FeedWater();
  const std::string name = in_.reheatPressure ? "high-pressure turbine inlet" : "turbine inlet";
  const std::size_t inlet = Add(name, in_.turbineInletTemperature
                                          ? SteamAt(ev_, *in_.turbineInletTemperature, in_.boilerPressure, name)
                                          : SaturatedAt(ev_, in_.boilerPressure, 100.0, name));
  Join(boilerInlet, inlet, PathKind::kIsobaric);
  const std::size_t outlet = Turbine(inlet);
  Join(outlet, condensate_, PathKind::kIsobaric);
  if (bleed_) Join(*bleed_, heaterOutlet_, PathKind::kIsobaric);
  Balance(boilerInlet, inlet, outlet);
  return result_;
}

}  // namespace

ProcessOutcome Rankine(StateEvaluator& evaluator, const RankineInput& input) {
  return Guarded([&] {
    CheckInput(input);
    return CycleBuilder(evaluator, input).Build();
  });
}

}  // namespace tulo

#pragma once
// The launcher window's controls as plain records, with a log of every call in order.
#include <map>
#include <string>
#include <vector>

#include "settings/control_state.h"

namespace velora::testing {

struct FakeControl {
  settings::ControlType type = settings::ControlType::kEdit;
  std::string text;
  bool checked = false;
  std::vector<settings::ComboEntry> entries;
  int selected = -1;
  std::uint32_t colour = 0;
  std::vector<std::pair<std::uint32_t, int>> entry_looks;  // colour and height per added entry
};

class FakeControls : public settings::ControlPort {
 public:
  FakeControl& Add(const std::string& name, settings::ControlType type) {
    order_.push_back(name);
    FakeControl& c = controls_[name];
    c.type = type;
    return c;
  }
  FakeControl& operator[](const std::string& name) { return controls_.at(name); }

  std::vector<std::string> ControlNames(settings::ControlType type) const override {
    std::vector<std::string> names;
    for (const std::string& name : order_) {
      if (controls_.at(name).type == type) names.push_back(name);
    }
    return names;
  }
  std::string Text(std::string_view name) const override { return Get(name).text; }
  void SetText(std::string_view name, std::string_view text) override {
    Log("SetText " + std::string(name));
    At(name).text = text;
  }
  void SetTextColour(std::string_view name, std::uint32_t argb) override { At(name).colour = argb; }
  bool Checked(std::string_view name) const override { return Get(name).checked; }
  void SetChecked(std::string_view name, bool checked) override {
    Log("SetChecked " + std::string(name) + (checked ? " 1" : " 0"));
    At(name).checked = checked;
  }
  std::vector<settings::ComboEntry> ComboEntries(std::string_view name) const override {
    return Get(name).entries;
  }
  int ComboSelection(std::string_view name) const override { return Get(name).selected; }
  void ClearComboEntries(std::string_view name) override {
    At(name).entries.clear();
    At(name).entry_looks.clear();
  }
  void AddComboEntry(std::string_view name, const settings::ComboEntry& entry, std::uint32_t colour,
                     int height) override {
    At(name).entries.push_back(entry);
    At(name).entry_looks.emplace_back(colour, height);
  }
  void SetComboSelection(std::string_view name, int index) override {
    Log("SetComboSelection " + std::string(name));
    At(name).selected = index;
  }

  std::vector<std::string> log;

 private:
  // A call for a control the window does not have is a fault of the caller.
  FakeControl& At(std::string_view name) { return controls_.at(std::string(name)); }
  const FakeControl& Get(std::string_view name) const { return controls_.at(std::string(name)); }
  void Log(std::string entry) { log.push_back(std::move(entry)); }

  std::map<std::string, FakeControl> controls_;
  std::vector<std::string> order_;
};

}  // namespace velora::testing

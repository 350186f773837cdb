#pragma once
// An EditorView that remembers what the editor did to the window, so tests can
// run the device link with the window open and look at the result.
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor_view.hpp"

namespace vornix::testing {

class RecordingView : public EditorView {
  public:
    void setText(int tag, const std::string& value) override { texts[tag] = value; }
    std::string text(int tag) const override {
        const auto it = texts.find(tag);
        return it == texts.end() ? std::string{} : it->second;
    }
    void setValue(int tag, double normalised) override { values[tag] = normalised; }
    void setVisible(int tag, bool visible) override { visibility[tag] = visible; }
    void setReadoutDimmed(bool dimmed) override { readoutDimmed = dimmed; }

    void showGroup(std::string_view name) override {
        shown.insert(std::string(name));
        log.push_back("show " + std::string(name));
    }
    void hideGroup(std::string_view name) override {
        shown.erase(std::string(name));
        log.push_back("hide " + std::string(name));
    }
    void enableGroup(std::string_view name) override { disabled.erase(std::string(name)); }
    void disableGroup(std::string_view name) override { disabled.insert(std::string(name)); }

    void setPresetRow(int row, const std::string& value) override { presetRows[row] = value; }
    void setPresetRowSelected(int row, bool selected) override {
        if (selected)
            selectedRows.insert(row);
        else
            selectedRows.erase(row);
    }
    void setUserIrRow(int row, const std::string& value) override { userIrRows[row] = value; }
    std::string userIrRow(int row) const override {
        const auto it = userIrRows.find(row);
        return it == userIrRows.end() ? std::string{} : it->second;
    }
    void setCabinetLabel(int cabinet, const std::string& name) override {
        cabinetLabels[cabinet] = name;
    }

    int currentBlock() const override { return block; }
    void selectBlock(int value) override { block = value; }
    void selectAmpModel(int model) override { ampModels.push_back(model); }
    void selectAmbienceType(int type) override { ambienceTypes.push_back(type); }
    void showPunchBand() override { band = "punch"; }
    void showMidBand() override { band = "mid"; }
    void showKnobLayer(bool layerB) override { knobLayerB = layerB; }
    void showImpulseResponse(std::span<const double> samples) override {
        impulseShown = samples.size();
    }

    bool isShown(std::string_view name) const { return shown.count(std::string(name)) > 0; }
    bool isDisabled(std::string_view name) const { return disabled.count(std::string(name)) > 0; }

    std::map<int, std::string> texts;
    std::map<int, double> values;
    std::map<int, bool> visibility;
    bool readoutDimmed = false;
    std::set<std::string> shown;
    std::set<std::string> disabled;
    std::vector<std::string> log;
    std::map<int, std::string> presetRows;
    std::set<int> selectedRows;
    std::map<int, std::string> userIrRows;
    std::map<int, std::string> cabinetLabels;
    int block = 0;
    std::vector<int> ampModels;
    std::vector<int> ambienceTypes;
    std::string band;
    bool knobLayerB = false;
    std::size_t impulseShown = 0;
};

}  // namespace vornix::testing

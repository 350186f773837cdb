#pragma once
// The MIDI part of the preferences dialog: the two port lists, "Find the
// Pedal", and the pedals a search found when more than one answered.
#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <vector>

#include "host/host.hpp"

namespace vornix::app {

class MidiSection {
  public:
    MidiSection(host::Host& host, const std::vector<host::FoundPedal>& pedals);
    ~MidiSection();
    MidiSection(const MidiSection&) = delete;
    MidiSection& operator=(const MidiSection&) = delete;

    GtkWidget* widget() const { return frame_; }

  private:
    struct Combo;
    void fillCombos();
    void findPedal();
    void showPedals(const std::vector<host::FoundPedal>& pedals);
    void usePedal(std::size_t index);
    void setNote(const std::string& text);

    host::Host& host_;
    GtkWidget* frame_ = nullptr;
    GtkWidget* findButton_ = nullptr;
    GtkWidget* note_ = nullptr;
    GtkWidget* pedalList_ = nullptr;
    std::unique_ptr<Combo> input_;
    std::unique_ptr<Combo> output_;
    std::vector<host::FoundPedal> pedals_;
    // Cleared when the dialog goes: a search that ends later finds no section.
    std::shared_ptr<MidiSection*> self_;
};

// "SERIAL VX1-000417, firmware 1.3: Pedal Out:Pedal / Pedal In:Pedal"
std::string describePedal(const host::FoundPedal& pedal);

}  // namespace vornix::app

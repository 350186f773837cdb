#include "app/preferences_midi.hpp"

#include <cstdio>

#include "host/port_names.hpp"

namespace vornix::app {

namespace {

constexpr int Spacing = 8;
constexpr int Border = 12;
constexpr int ListWidth = 320;
constexpr const char* FindLabel = "Find the Pedal";

GtkWidget* labelled(const char* text) {
    GtkWidget* label = gtk_label_new(text);
    gtk_label_set_xalign(GTK_LABEL(label), 0.f);
    return label;
}

}  // namespace

std::string describePedal(const host::FoundPedal& pedal) {
    char version[16];
    std::snprintf(version, sizeof version, "%.1f", pedal.identity.version());
    return "SERIAL " + pedal.serial() + ", firmware " + version + ": " + pedal.input + " / " +
           pedal.output;
}

// One port list: filling it from the host's list selects the stored port,
// and only a choice of the user's reaches the host.
struct MidiSection::Combo {
    Combo(host::Host& h, host::PortDirection d) : host(h), direction(d) {
        widget = gtk_combo_box_text_new();
        gtk_widget_set_size_request(widget, ListWidth, -1);
        g_signal_connect(widget, "changed", G_CALLBACK(+[](GtkComboBox* box, gpointer data) {
                             static_cast<Combo*>(data)->chosen(box);
                         }),
                         this);
    }
    std::string& stored() const {
        return direction == host::PortDirection::Input ? host.settings().midiInput
                                                       : host.settings().midiOutput;
    }
    void fill() {
        filling = true;
        gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(widget));
        std::vector<std::string> ports = host.portList(direction);
        // The stored port is shown by the listed name that fits it; one that
        // is not there is still shown, so that the user sees what is waited for.
        const host::PortMatch match = host::matchStoredPort(ports, stored());
        if (match.count == 0) ports.push_back(stored());
        const std::string& selected = match.count > 0 ? match.name : stored();
        for (std::size_t i = 0; i < ports.size(); ++i) {
            gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(widget), ports[i].c_str());
            if (ports[i] == selected)
                gtk_combo_box_set_active(GTK_COMBO_BOX(widget), static_cast<gint>(i));
        }
        filling = false;
    }
    void chosen(GtkComboBox* box) {
        if (filling) return;
        gchar* name = gtk_combo_box_text_get_active_text(GTK_COMBO_BOX_TEXT(box));
        if (!name) return;
        host.choosePort(direction, name);
        g_free(name);
    }

    host::Host& host;
    host::PortDirection direction;
    GtkWidget* widget;
    bool filling = false;
};

MidiSection::MidiSection(host::Host& host, const std::vector<host::FoundPedal>& pedals)
    : host_(host),
      input_(std::make_unique<Combo>(host, host::PortDirection::Input)),
      output_(std::make_unique<Combo>(host, host::PortDirection::Output)),
      self_(std::make_shared<MidiSection*>(this)) {
    frame_ = gtk_frame_new("MIDI Device Settings");
    gtk_container_set_border_width(GTK_CONTAINER(frame_), Border);
    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(grid), Spacing);
    gtk_grid_set_column_spacing(GTK_GRID(grid), Spacing);
    gtk_container_set_border_width(GTK_CONTAINER(grid), Border);
    gtk_grid_attach(GTK_GRID(grid), labelled("Input Device"), 0, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), input_->widget, 1, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), labelled("Output Device"), 0, 1, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), output_->widget, 1, 1, 1, 1);

    findButton_ = gtk_button_new_with_label(FindLabel);
    g_signal_connect(findButton_, "clicked", G_CALLBACK(+[](GtkButton*, gpointer data) {
                         static_cast<MidiSection*>(data)->findPedal();
                     }),
                     this);
    gtk_grid_attach(GTK_GRID(grid), findButton_, 1, 2, 1, 1);
    note_ = labelled("");
    gtk_label_set_line_wrap(GTK_LABEL(note_), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(note_), 50);
    gtk_grid_attach(GTK_GRID(grid), note_, 0, 3, 2, 1);
    pedalList_ = gtk_list_box_new();
    g_signal_connect(pedalList_, "row-activated",
                     G_CALLBACK(+[](GtkListBox*, GtkListBoxRow* row, gpointer data) {
                         static_cast<MidiSection*>(data)->usePedal(
                             static_cast<std::size_t>(gtk_list_box_row_get_index(row)));
                     }),
                     this);
    gtk_grid_attach(GTK_GRID(grid), pedalList_, 0, 4, 2, 1);
    gtk_container_add(GTK_CONTAINER(frame_), grid);

    host_.refreshPortLists();
    fillCombos();
    if (!pedals.empty()) showPedals(pedals);
}

MidiSection::~MidiSection() {
    *self_ = nullptr;
}

void MidiSection::fillCombos() {
    input_->fill();
    output_->fill();
}

void MidiSection::setNote(const std::string& text) {
    gtk_label_set_text(GTK_LABEL(note_), text.c_str());
}

void MidiSection::findPedal() {
    gtk_widget_set_sensitive(findButton_, FALSE);
    setNote(host::search_text::Looking);
    host_.findPedal([self = self_](const std::vector<host::FoundPedal>& found) {
        MidiSection* section = *self;
        if (!section) return;
        gtk_widget_set_sensitive(section->findButton_, TRUE);
        section->host_.refreshPortLists();
        if (found.empty()) {
            section->setNote("No pedal answered. Is it plugged in and switched on?");
        } else if (found.size() == 1) {
            section->pedals_ = found;
            section->usePedal(0);
        } else {
            section->showPedals(found);
        }
    });
}

void MidiSection::showPedals(const std::vector<host::FoundPedal>& pedals) {
    pedals_ = pedals;
    gtk_container_foreach(
        GTK_CONTAINER(pedalList_), [](GtkWidget* row, gpointer) { gtk_widget_destroy(row); },
        nullptr);
    for (const auto& pedal : pedals_)
        gtk_list_box_insert(GTK_LIST_BOX(pedalList_), labelled(describePedal(pedal).c_str()), -1);
    gtk_widget_show_all(pedalList_);
    setNote(std::to_string(pedals_.size()) +
            " pedals answered. Double-click the one this editor should use:");
}

void MidiSection::usePedal(std::size_t index) {
    if (index >= pedals_.size()) return;
    const host::FoundPedal pedal = pedals_[index];
    host_.usePedal(pedal, false);
    fillCombos();
    setNote("Using the pedal " + describePedal(pedal));
}

}  // namespace vornix::app

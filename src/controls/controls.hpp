#pragma once
// Everything a page needs to build itself on the toolkit.
#include "controls/bitmap_controls.hpp"
#include "controls/dynamics_graph.hpp"
#include "controls/freq_response_graph.hpp"
#include "controls/igraphics.hpp"
#include "controls/knob_controls.hpp"
#include "controls/number_box.hpp"
#include "controls/select_control.hpp"
#include "controls/text_controls.hpp"
#include "controls/vector_controls.hpp"

#include "app/window_geometry.hpp"

#include <algorithm>
#include <cmath>

namespace vornix::app {

namespace {

constexpr double LogicalWidth = 1920.0;
constexpr double LogicalHeight = 1200.0;

double clampScale(double scale) {
    return std::clamp(scale, MinWindowScale, MaxWindowScale);
}

double fitting(double width, double height) {
    return std::min(width / LogicalWidth, height / LogicalHeight);
}

}  // namespace

Size contentSize(double scale) {
    return {static_cast<int>(std::lround(LogicalWidth * scale)),
            static_cast<int>(std::lround(LogicalHeight * scale))};
}

std::optional<double> scaleForArea(Size area, double current) {
    const Size content = contentSize(current);
    const bool fits = content.width <= area.width && content.height <= area.height;
    const bool fills = content.width >= area.width - 1 || content.height >= area.height - 1;
    if (fits && fills) return std::nullopt;
    const double scale = clampScale(fitting(area.width, area.height));
    if (contentSize(scale) == content) return std::nullopt;
    return scale;
}

double firstScale(Size workArea, int barHeight) {
    const double fit =
        fitting(workArea.width * FirstWindowShare, workArea.height * FirstWindowShare - barHeight);
    const double stepped = std::floor(fit / FirstScaleStep + 1e-9) * FirstScaleStep;
    return std::clamp(stepped, MinWindowScale, 1.0);
}

double scaleThatFits(double stored, Size workArea, int barHeight) {
    const double fit = fitting(workArea.width, workArea.height - barHeight);
    return clampScale(std::min(stored, fit));
}

}  // namespace vornix::app

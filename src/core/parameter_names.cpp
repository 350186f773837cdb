#include "core/parameter_names.hpp"

#include <vector>

#include "core/parameters.hpp"

namespace vornix {

sysex::ParameterNamer catalogueNames() {
    return [](int index) -> std::string {
        static const std::vector<iplug::IParam> catalogue = buildParameterCatalogue();
        if (index < 0 || index >= static_cast<int>(catalogue.size()) || isReservedParameter(index))
            return {};
        return catalogue[static_cast<std::size_t>(index)].name();
    };
}

}  // namespace vornix

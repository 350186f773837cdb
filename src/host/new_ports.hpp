#pragma once
// When nothing answered a search, decides from the port lists when to search
// again and which outputs to leave out. A device's ports appear one by one:
// the output a pedal is asked on may be listed a moment before the input its
// answer comes back on. So nothing is asked until the lists have stayed the
// same for one look, and an output asked while the input it answers on was
// missing is asked again once a new input appears.
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vornix::host {

class NewPorts {
  public:
    // A search has ended: `seen` are the outputs it asked or left out as
    // asked before, `asked` those it asked now, `heard` the inputs it
    // listened to.
    void searched(const std::set<std::string>& seen, const std::set<std::string>& asked,
                  const std::set<std::string>& heard);
    // One look at the lists. The outputs to leave out of a new search, or
    // nothing while no search is due. Through ports and ours never count.
    std::optional<std::set<std::string>> look(const std::vector<std::string>& inputs,
                                              const std::vector<std::string>& outputs);

  private:
    struct Lists {
        std::set<std::string> inputs;
        std::set<std::string> outputs;
        bool operator==(const Lists&) const = default;
    };

    std::set<std::string> asked_;      // every output any search asked
    std::set<std::string> lastAsked_;  // the outputs the latest search asked
    std::set<std::string> heard_;      // every input any search listened to
    std::optional<Lists> previous_;
};

}  // namespace vornix::host

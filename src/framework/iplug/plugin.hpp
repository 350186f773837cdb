#pragma once
// The minimal plug-in base classes the editor derives from: parameter
// storage and the delegate the drawing context talks to (IPlugAPIBase),
// and the processor side that renders audio and receives SysEx.
#include <cstdint>
#include <span>
#include <vector>

#include "framework/iplug/editor_delegate.hpp"
#include "framework/iplug/iparam.hpp"

namespace iplug {

class IPluginBase {
  public:
    virtual ~IPluginBase() = default;
    int nParams() const { return static_cast<int>(params_.size()); }
    IParam* param(int index) {
        return index >= 0 && index < nParams() ? &params_[static_cast<std::size_t>(index)]
                                               : nullptr;
    }
    const IParam* param(int index) const {
        return index >= 0 && index < nParams() ? &params_[static_cast<std::size_t>(index)]
                                               : nullptr;
    }

  protected:
    std::vector<IParam> params_;
};

class IPlugAPIBase : public IPluginBase, public IEditorDelegate {
  public:
    int nParams() const override { return IPluginBase::nParams(); }
    IParam* getParam(int index) override { return param(index); }
    // A gesture changed a parameter: store it, then run the change handler.
    void sendParameterValueFromUI(int index, double normalised) override {
        if (IParam* p = param(index)) {
            p->setNormalised(normalised);
            onParamChangeUI(index);
        }
    }

  protected:
    virtual void onParamChangeUI(int index) = 0;
};

class IPlugProcessor {
  public:
    virtual ~IPlugProcessor() = default;
    // Writes `frames` samples of silence or sound into every output channel.
    virtual void renderAudioBlock(std::span<double* const> outputs, int frames) = 0;
    virtual void sysExReceived(std::span<const std::uint8_t> message) = 0;
};

class IPlugAPP : public IPlugAPIBase, public IPlugProcessor {};

}  // namespace iplug

#pragma once
// What a command waits for, heard from the editor's events. Each waiter
// listens from its construction until it goes out of scope, so a command
// creates the one it needs just before it starts what it waits on and reads
// the result after Session::waitFor.
#include <optional>
#include <string>

#include "core/editor_events.hpp"
#include "core/event_hub.hpp"

namespace vornix::cli {

// Joins the hub's listeners for as long as it lives.
template <typename... Sections>
class Waiter : public Sections... {
  public:
    explicit Waiter(EventHub& hub) : hub_(hub) { hub_.add(*this); }
    ~Waiter() override { hub_.remove(*this); }
    Waiter(const Waiter&) = delete;
    Waiter& operator=(const Waiter&) = delete;

  private:
    EventHub& hub_;
};

// The start and the end of one transfer.
class TransferWaiter : public Waiter<TransferEvents> {
  public:
    TransferWaiter(EventHub& hub, Transfer which) : Waiter(hub), which_(which) {}
    void transferStarted(Transfer transfer) override { started_ |= transfer == which_; }
    void transferEnded(Transfer transfer, bool ok) override {
        if (transfer == which_) result_ = ok;
    }
    bool started() const { return started_; }
    bool ended() const { return result_.has_value(); }
    bool succeeded() const { return result_.value_or(false); }

  private:
    Transfer which_;
    bool started_ = false;
    std::optional<bool> result_;
};

// An IR upload is done once the device stored it and the position names it.
class IrUploadWaiter : public Waiter<TransferEvents, SoundEvents> {
  public:
    explicit IrUploadWaiter(EventHub& hub) : Waiter(hub) {}
    void transferEnded(Transfer transfer, bool ok) override {
        if (transfer == Transfer::IrUpload) result_ = ok;
    }
    void userIrAssigned(int, unsigned) override { assigned_ = true; }
    bool ended() const { return result_ == false || (result_ == true && assigned_); }
    bool succeeded() const { return result_.value_or(false) && assigned_; }

  private:
    std::optional<bool> result_;
    bool assigned_ = false;
};

// A preset file applied, or refused with its reason.
class PresetImportWaiter : public Waiter<TransferEvents> {
  public:
    explicit PresetImportWaiter(EventHub& hub) : Waiter(hub) {}
    void presetFileImported(bool ok, const std::string& reason) override {
        result_ = ok;
        reason_ = reason;
    }
    bool ended() const { return result_.has_value(); }
    bool succeeded() const { return result_.value_or(false); }
    const std::string& reason() const { return reason_; }

  private:
    std::optional<bool> result_;
    std::string reason_;
};

// The device's current preset applied again (after a select or a store).
class PresetWaiter : public Waiter<SoundEvents> {
  public:
    explicit PresetWaiter(EventHub& hub) : Waiter(hub) {}
    void presetApplied(const AppliedPreset&) override { applied_ = true; }
    bool applied() const { return applied_; }

  private:
    bool applied_ = false;
};

// The device's current preset applied with every IR it plays cached.
class SyncWaiter : public Waiter<TransferEvents> {
  public:
    explicit SyncWaiter(EventHub& hub) : Waiter(hub) {}
    void synchronised() override { done_ = true; }
    bool done() const { return done_; }

  private:
    bool done_ = false;
};

// A slot put back from its history and read back.
class PutBackWaiter : public Waiter<TransferEvents> {
  public:
    explicit PutBackWaiter(EventHub& hub) : Waiter(hub) {}
    void slotWritten(int, bool ok, const std::string& why) override {
        result_ = ok;
        why_ = why;
    }
    bool ended() const { return result_.has_value(); }
    bool succeeded() const { return result_.value_or(false); }
    const std::string& why() const { return why_; }

  private:
    std::optional<bool> result_;
    std::string why_;
};

// A whole-device backup written and verified, or why not.
class BackupWaiter : public Waiter<TransferEvents> {
  public:
    explicit BackupWaiter(EventHub& hub) : Waiter(hub) {}
    void backupFinished(bool ok, const std::string& pathOrWhy) override {
        result_ = ok;
        text_ = pathOrWhy;
    }
    bool ended() const { return result_.has_value(); }
    bool succeeded() const { return result_.value_or(false); }
    const std::string& text() const { return text_; }

  private:
    std::optional<bool> result_;
    std::string text_;
};

// The device reported the end of a factory reset.
class ResetWaiter : public Waiter<TransferEvents> {
  public:
    explicit ResetWaiter(EventHub& hub) : Waiter(hub) {}
    void factoryResetFinished() override { done_ = true; }
    bool done() const { return done_; }

  private:
    bool done_ = false;
};

}  // namespace vornix::cli

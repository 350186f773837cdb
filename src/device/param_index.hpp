#pragma once
// The index of one parameter (0-150): its place in the preset record, the
// global pages, the editor's catalogue and the controls bound to it.
//
// It is made from an int only on purpose, so a control tag, a row or a slot
// number never becomes a parameter index unnoticed; it reads as its int
// wherever the wire format and the catalogue count with it.
namespace vornix {

class ParamIndex {
  public:
    constexpr explicit ParamIndex(int index) : index_(index) {}

    constexpr operator int() const { return index_; }

  private:
    int index_;
};

}  // namespace vornix

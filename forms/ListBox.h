// A list box filled by code, each entry with a number of its own (ItemData). A
// double click on an entry raises OnDblClick (after the Click of its selection).
#pragma once
#include "forms/ListControl.h"

namespace qel::forms {

class ListBox final : public ListControl {
public:
    ListBox(Container& container, std::string name) : ListControl(container, std::move(name)) {}

    // Adds an entry at the end, or before entry `index`.
    void AddItem(const std::string& text, long index = -1);
    long ItemData(long index) const;
    void ItemData(long index, long data);
    // Removes every entry (raises no Click).
    void Clear();

    std::function<void()> OnDblClick;

protected:
    void Command(WORD code) override;
    const IID& DispatchIid() const override { return DIID__ListBox; }
    HRESULT Invoke(DispatchCall& call) override;
};

} // namespace qel::forms

// A list of the files in a folder (Path) whose names match a pattern (Pattern,
// "*.*" by default; several patterns separated by ";"), sorted by name, hidden and
// system files left out. Setting Path or Pattern, or Refresh, reads the folder
// again; a Path that is not an existing folder throws run-time error 76 and
// changes nothing.
#pragma once
#include "forms/ListControl.h"

namespace qel::forms {

class FileListBox final : public ListControl {
public:
    FileListBox(Container& container, std::string name);

    const std::string& Path() const { return path_; }
    void Path(const std::string& path);
    const std::string& Pattern() const { return pattern_; }
    void Pattern(const std::string& pattern);
    // Reads the folder again, then repaints.
    void Refresh() override;

protected:
    void Created() override { Fill(); }
    const IID& DispatchIid() const override { return DIID__FileListBox; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    void Fill();

    std::string path_;
    std::string pattern_ = "*.*";
};

} // namespace qel::forms

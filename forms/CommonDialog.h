// The open, save and colour dialogs of a form, on the system's dialogs. The
// settings (InitDir, DialogTitle, Filter "text|pattern|text|pattern", DefaultExt,
// FileName) and the answers (FileName, FileTitle, Color) are kept between calls.
// A cancelled open or save dialog leaves FileName and FileTitle empty and raises
// no error; so does a name the ANSI code page cannot take, refused in a message.
// The system's open and save dialogs refuse in a message, and stay open for
// another name, what DialogPathOf refuses: a device's name (CON, NUL.gif...), a
// quote inside a name, a drive without its folder ("C:name"), and a name whose
// path would be longer than they hold.
// ShowColor returns false when its dialog was cancelled and keeps Color.
// The dialogs go through a seam, so that tests answer them without a person.
#pragma once
#include "forms/ColorBrush.h"
#include "forms/Seam.h"

#include <functional>
#include <optional>
#include <string>

namespace qel::forms {

enum class DialogKind { Open, Save, Color };

class CommonDialog {
public:
    const std::string& InitDir() const { return initDir_; }
    void InitDir(std::string folder) { initDir_ = std::move(folder); }
    const std::string& DialogTitle() const { return title_; }
    void DialogTitle(std::string title) { title_ = std::move(title); }
    const std::string& Filter() const { return filter_; }
    void Filter(std::string filter) { filter_ = std::move(filter); }
    // The extension added to a typed name that has none ("gif" or ".gif").
    const std::string& DefaultExt() const { return defaultExt_; }
    void DefaultExt(std::string extension) { defaultExt_ = std::move(extension); }
    // The proposed name before, the chosen path after a dialog.
    const std::string& FileName() const { return fileName_; }
    void FileName(std::string name) { fileName_ = std::move(name); }
    // The chosen file's name without its folder.
    const std::string& FileTitle() const { return fileTitle_; }
    OleColor Color() const { return color_; }
    void Color(OleColor colour) { color_ = colour; }

    // True when a file was chosen.
    bool ShowOpen();
    bool ShowSave();
    // True when a colour was chosen (the dialog starts at Color).
    bool ShowColor();

    // An answer in place of the user: a path for a file dialog (empty: cancelled),
    // a colour for the colour dialog (none: cancelled).
    struct Answer {
        std::string path;
        std::optional<OleColor> color;
    };
    using Handler = std::function<Answer(DialogKind, const CommonDialog&)>;

private:
    bool ShowFile(DialogKind kind);
    // The chosen path, empty when cancelled.
    std::string RunFileDialog(DialogKind kind) const;
    std::optional<OleColor> RunColorDialog() const;

    std::string initDir_, title_, filter_, defaultExt_, fileName_, fileTitle_;
    OleColor color_ = 0;
};

// Answers the common dialogs instead of the user while it exists.
using CommonDialogSeam = Seam<struct CommonDialogTag, CommonDialog::Handler>;

} // namespace qel::forms

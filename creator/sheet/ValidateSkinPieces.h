// Whether the piece and caption-button graphics of a skin fit together well
// enough to be stored as one skin sheet: 33 size comparisons in a fixed order,
// the first failing one reported with its own message.
#pragma once
#include "creator/shell/SkinDocument.h"

#include <functional>
#include <string>

namespace qel {

// The prompt of the first failing comparison (its message, a blank line and
// "This is not allowed."), or "" when every comparison holds.
std::string PieceSizeFault(const SkinDocument& document);

// Shows how a check failed: the prompt in a message box with the exclamation
// icon, an OK button only and the application's title.
using ShowFault = std::function<void(const std::string& prompt)>;

// True when every comparison holds; otherwise shows the first failing one's
// prompt and gives False. Changes nothing in the document.
bool ValidateSkinPieces(const SkinDocument& document, const ShowFault& show);

// The prompt for `message` in the style of the size checks.
std::string FaultPrompt(const std::string& message);

} // namespace qel

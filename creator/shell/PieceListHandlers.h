// The piece lists List1 to List4: a click lays the selection marker over the
// chosen piece on the preview of the list's page, a double-click picks a
// graphic for the piece.
#pragma once

namespace qel::creator {

class MainFrm;

// Gives the main window's piece lists their Click and DblClick handlers.
void ConnectPieceLists(MainFrm& main);

} // namespace qel::creator

#pragma once

class QCoreApplication;

// Qt's own texts (a cell's context menu, the message box's button) in Bulgarian, like the rest
// of the window, whatever the user's locale. Without the catalogue Qt's English texts stay,
// and the function returns false.
bool InstallQtCatalogue(QCoreApplication& application);

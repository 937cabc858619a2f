#pragma once
// The toolkit's own texts (file dialogs, the views' window menus, standard buttons) in French,
// from the translations Qt ships (Debian's qt6-translations-l10n).

class QCoreApplication;

namespace kvx::qt {

// Installs the French translation of the toolkit's texts into app; false when none is found.
bool InstallToolkitFrench(QCoreApplication& app);

}  // namespace kvx::qt

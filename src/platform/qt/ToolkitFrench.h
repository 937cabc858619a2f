#pragma once
// The toolkit's own texts (file dialogs, the views' window menus, standard buttons) in French,
// from the translations Qt ships (Debian's qt6-translations-l10n), or in the toolkit's own
// English when the editor speaks English.

class QCoreApplication;

namespace kvx::qt {

// Installs the French translation of the toolkit's texts into app; false when none is found.
bool InstallToolkitFrench(QCoreApplication& app);
// Puts the French translation in place (french) or takes it away; what the toolkit makes from
// then on speaks that language. False when French was asked for and none is found.
bool SetToolkitFrench(QCoreApplication& app, bool french);

}  // namespace kvx::qt

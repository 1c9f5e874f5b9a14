#pragma once

class QTranslator;

// Qt's own texts in German, as the rest of the program: the buttons of
// message boxes, the file dialog and its overwrite question. Installs
// qtbase_de from Qt's translations folder (Debian: qt6-translations-l10n)
// and returns the translator, owned by the application; deleting it takes
// the texts back. Nullptr when the translations are not installed: Qt then
// speaks English.
QTranslator* InstallQtTranslations();

#pragma once
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <memory>

// The language of the interface: German, the texts as written, or English.
enum class Language { kGerman, kEnglish };

// The first of the user's preferred languages (QLocale::uiLanguages, most
// preferred first) that the program speaks; German for German, for the C
// locale and when none of them has a translation.
Language ChooseLanguage(const QStringList& uiLanguages);

// The folder of the program's translations: share/torvak/translations
// beside the program's bin folder, in the build as when installed.
QString TranslationsFolder();

// The program's texts and Qt's own (message boxes, the file dialog, the
// command-line help) in a language, while this object lives. German takes
// Qt's German texts (Debian: qt6-translations-l10n); English takes the
// program's English texts from folder, and Qt speaks English by itself. A
// missing file leaves those texts as written.
class InterfaceLanguage {
 public:
  InterfaceLanguage(Language language, const QString& folder);
  ~InterfaceLanguage();
  InterfaceLanguage(const InterfaceLanguage&) = delete;
  InterfaceLanguage& operator=(const InterfaceLanguage&) = delete;
  // False when a file for the language was missing.
  bool Installed() const { return installed_; }

 private:
  std::unique_ptr<QTranslator> translator_;  // removes itself when deleted
  bool installed_ = false;
};

// How numbers are written in the language installed last: decimal comma in
// German (also before any is installed), decimal point in English.
QLocale NumberLocale();

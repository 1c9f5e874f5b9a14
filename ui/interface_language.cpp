#include "ui/interface_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace {
Language shownLanguage = Language::kGerman;
}  // namespace

Language ChooseLanguage(const QStringList& uiLanguages) {
  for (const QString& tag : uiLanguages) {
    const QString language = tag.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
    if (language == u"de") return Language::kGerman;
    if (language == u"en") return Language::kEnglish;
  }
  return Language::kGerman;
}

QString TranslationsFolder() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/../share/torvak/translations");
}

InterfaceLanguage::InterfaceLanguage(Language language, const QString& folder)
    : translator_(std::make_unique<QTranslator>()) {
  const bool loaded = language == Language::kEnglish
                          ? translator_->load(QStringLiteral("torvak_en"), folder)
                          : translator_->load(QStringLiteral("qtbase_de"),
                                              QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  installed_ = loaded && QCoreApplication::installTranslator(translator_.get());
  if (installed_) shownLanguage = language;
}

InterfaceLanguage::~InterfaceLanguage() {
  if (installed_) shownLanguage = Language::kGerman;
}

QLocale NumberLocale() {
  return QLocale(shownLanguage == Language::kEnglish ? QLocale::English : QLocale::German);
}

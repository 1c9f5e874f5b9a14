// The interface in both languages: German exactly as written, English with
// no German left, and in both every caption fits its control.
#include <QXmlStreamReader>

#include "tests/ui/window_fixture.h"
#include "ui/about_dlg.h"
#include "ui/interface_language.h"
#include "ui/trend_window.h"
#include "ui/weichzeichner_dlg.h"
#include "ui/wrapping_check_box.h"

namespace {

TEST(ChooseLanguage, TheFirstPreferredLanguageWithATranslationElseGerman) {
  const std::pair<QStringList, Language> cases[] = {
      {{"de-DE", "de-Latn-DE", "de"}, Language::kGerman},
      {{"en-GB", "en-Latn-GB"}, Language::kEnglish},
      {{"en_US"}, Language::kEnglish},
      {{"C"}, Language::kGerman},
      {{}, Language::kGerman},
      {{"fr-FR", "fr"}, Language::kGerman},
      {{"fr", "fr-FR", "en", "en-US"}, Language::kEnglish},
      {{"fr-FR", "de-DE", "en"}, Language::kGerman},
  };
  for (const auto& [languages, expected] : cases) {
    EXPECT_EQ(ChooseLanguage(languages), expected) << languages.join(u',').toStdString();
  }
}

// The translation file's German sources that have an English text of their
// own; the test fails on a message without a finished translation.
QSet<QString> TranslatedGermanSources() {
  QFile file(QStringLiteral(TORVAK_TS_FILE));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  QSet<QString> sources;
  QString source;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"source") source = xml.readElementText();
    if (xml.name() != u"translation") continue;
    const bool unfinished = !xml.attributes().value(QStringLiteral("type")).isEmpty();
    const QString english = xml.readElementText();
    EXPECT_FALSE(unfinished || english.isEmpty()) << "untranslated: " << source.toStdString();
    if (english != source) sources.insert(source);
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return sources;
}

// Whether a caption fits its control, placed by hand, as the style lays it
// out: on one line, or, for a control that wraps, in its height at its width.
bool CaptionFits(const QWidget& widget, QString text) {
  text.remove(u'&');
  const QFontMetrics metrics = widget.fontMetrics();
  const QStyle& style = *widget.style();
  auto wrappedFits = [&](const QRect& area) {
    return metrics.boundingRect(area, Qt::TextWordWrap, text).height() <= area.height() &&
           std::ranges::all_of(text.split(u' '), [&](const QString& word) {
             return metrics.horizontalAdvance(word) <= area.width();
           });
  };
  if (const auto* wrapping = qobject_cast<const WrappingCheckBox*>(&widget)) {
    return wrappedFits(wrapping->CaptionRect());
  }
  if (const auto* label = qobject_cast<const QLabel*>(&widget); label && label->wordWrap()) {
    return wrappedFits(label->contentsRect());
  }
  int room = widget.width();
  if (qobject_cast<const QCheckBox*>(&widget) || qobject_cast<const QRadioButton*>(&widget)) {
    room -= style.pixelMetric(QStyle::PM_IndicatorWidth) + style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
  } else if (qobject_cast<const QPushButton*>(&widget)) {
    room -= 2 * style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, &widget);
  } else if (qobject_cast<const QGroupBox*>(&widget)) {
    room -= 2 * style.pixelMetric(QStyle::PM_LayoutLeftMargin);
  }
  return metrics.horizontalAdvance(text) <= room;
}

struct Caption {
  const QWidget* widget;
  QString text;
};

// The captions of the visible controls under top (buttons, labels, group boxes).
std::vector<Caption> VisibleCaptions(const QWidget& top) {
  std::vector<Caption> captions;
  for (const QWidget* widget : top.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&top)) continue;
    QString text;
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) text = button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) text = label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) text = group->title();
    if (!text.isEmpty()) captions.push_back({widget, text});
  }
  return captions;
}

class LanguageTest : public WindowTest, public ::testing::WithParamInterface<Language> {
 protected:
  // Every page of the main window, the smoothing dialog, the About box and the plot window.
  std::vector<Caption> AllCaptions() {
    CTorvakDlg& window = Open();
    std::vector<Caption> captions;
    auto take = [&](const QWidget& top) {
      const std::vector<Caption> more = VisibleCaptions(top);
      captions.insert(captions.end(), more.begin(), more.end());
    };
    auto* pages = window.ControlAs<QTabWidget>(ctl::kPanelTabs);
    for (int page = 0; page < pages->count(); ++page) {
      pages->setCurrentIndex(page);
      take(window);
      captions.push_back({pages, pages->tabText(page)});
    }
    for (QDialog* dialog : std::initializer_list<QDialog*>{window.findChild<CWeichzeichnerDlg*>(),
                                                           new CAboutDlg(&window)}) {
      dialog->show();
      take(*dialog);
      dialog->hide();
    }
    for (const QAction* action : window.actions()) captions.push_back({nullptr, action->text()});
    recorder_.AddPoint({1, 1});  // for the plot's rate
    plot_ = std::make_unique<TrendWindow>(recorder_, [] { return 21; });
    plot_->show();
    take(*plot_);
    captions.push_back({nullptr, window.StatusText()});
    return captions;
  }

  TrendRecorder recorder_;
  std::unique_ptr<TrendWindow> plot_;
};

TEST_P(LanguageTest, EveryCaptionFitsAndEnglishLeavesNoGerman) {
  const InterfaceLanguage language(GetParam(), QStringLiteral(TORVAK_TRANSLATIONS_DIR));
  ASSERT_TRUE(language.Installed());
  const QSet<QString> german = TranslatedGermanSources();
  const bool english = GetParam() == Language::kEnglish;
  const QRegularExpression germanLetters(QStringLiteral("[äöüÄÖÜß]"));
  const std::vector<Caption> captions = AllCaptions();
  // The plot's reading rate.
  const QString rate = english ? QStringLiteral("Point 1: 0/min") : QStringLiteral("Punkt 1: 0/min");
  EXPECT_TRUE(std::ranges::any_of(captions, [&](const Caption& caption) { return caption.text == rate; }));
  for (const auto& [widget, text] : captions) {
    if (widget && !widget->parentWidget()->layout()) {  // a layout sizes its controls to their texts
      EXPECT_TRUE(CaptionFits(*widget, text)) << "does not fit: " << text.toStdString();
    }
    if (english) {
      EXPECT_FALSE(german.contains(text) || text.contains(germanLetters)) << "German: " << text.toStdString();
    }
  }
  if (english) {
    EXPECT_EQ(window_->StatusText(), QStringLiteral("Com 3 (/dev/ttyUSB2) opened"));
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LanguageTest, ::testing::Values(Language::kGerman, Language::kEnglish),
                         [](const auto& info) { return info.param == Language::kGerman ? "German" : "English"; });

}  // namespace

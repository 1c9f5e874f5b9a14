#include "ui/emissivity_tools.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStatusBar>
#include <vector>

#include "ui/dialog_parts.h"
#include "ui/picture_model.h"

namespace {

// Typical broadband emissivities over the thermopiles' range, for a choice:
// an approximation, as a surface's emissivity depends on wavelength, angle
// and finish.
struct TypicalEmissivity {
  const char* name;
  double emissivity;
};
constexpr TypicalEmissivity kTypicalEmissivities[]{
    {QT_TRANSLATE_NOOP("EmissivityTools", "Mattschwarzer Lack"), 0.95},
    {QT_TRANSLATE_NOOP("EmissivityTools", "Menschliche Haut"), 0.98},
    {QT_TRANSLATE_NOOP("EmissivityTools", "Glas"), 0.92},
    {QT_TRANSLATE_NOOP("EmissivityTools", "Wasser"), 0.96},
    {QT_TRANSLATE_NOOP("EmissivityTools", "Holz"), 0.90},
    {QT_TRANSLATE_NOOP("EmissivityTools", "Weißer Lack"), 0.90},
    {QT_TRANSLATE_NOOP("EmissivityTools", "Papier"), 0.93},
    {QT_TRANSLATE_NOOP("EmissivityTools", "Ziegel"), 0.93},
    {QT_TRANSLATE_NOOP("EmissivityTools", "Oxidierter Stahl"), 0.80},
    {QT_TRANSLATE_NOOP("EmissivityTools", "Gebürstetes Aluminium"), 0.10},
};

QString Decimal(double value, int decimals) { return QLocale().toString(value, 'f', decimals); }

// A field's emissivity: nothing for an empty field that may stay empty.
struct EmissivityField {
  QString caption;
  QLineEdit* field;
};

}  // namespace

EmissivityTools::EmissivityTools(QWidget& window, PictureModel& picture, QStatusBar& statusLine)
    : window_(window), picture_(picture), note_(new QLabel(&statusLine)) {
  note_->setObjectName(QStringLiteral("emissivityNote"));
  note_->hide();
  statusLine.addPermanentWidget(note_);
  connect(AddContextEntry(window, tr("Emissionsgrad…"), QKeySequence(Qt::CTRL | Qt::Key_E)), &QAction::triggered,
          this, &EmissivityTools::AskEmissivity);
  connect(&picture, &PictureModel::changed, this, [this] {
    note_->setText(picture_.EmissivityNote());
    note_->setVisible(!note_->text().isEmpty());
  });
}

namespace {

// Why a typed number was refused, naming its field.
QString NumberRefusal(NumberFault fault, const QString& field, const QString& range) {
  switch (fault) {
    case NumberFault::NotANumber: return EmissivityTools::tr("„%1“: bitte eine Zahl eingeben").arg(field);
    case NumberFault::TooManyDecimals: return EmissivityTools::tr("„%1“: höchstens zwei Nachkommastellen").arg(field);
    case NumberFault::OutOfRange: break;
  }
  return EmissivityTools::tr("„%1“: nur %2").arg(field, range);
}

}  // namespace

bool EmissivityTools::AskEmissivity() {
  const PictureModel::EmissivityChoice now = picture_.Emissivity();
  FieldsDialog dialog(window_, tr("Emissionsgrad"));
  const QString emissivityRange = tr("%1 bis %2").arg(Decimal(kLowestEmissivity, 2), Decimal(kHighestEmissivity, 2));
  const QString pictureName = tr("Bild");
  std::vector<EmissivityField> fields{
      {pictureName, dialog.AddField(tr("%1 (ε):").arg(pictureName), Decimal(now.picture, 2), QStringLiteral("picture"))}};
  QLineEdit* chosen = fields.front().field;

  auto* typical = new QComboBox(&dialog);
  typical->setObjectName(QStringLiteral("typical"));
  typical->addItem(tr("– wählen –"));
  for (const TypicalEmissivity& t : kTypicalEmissivities) {
    typical->addItem(tr("%1 (%2)").arg(tr(t.name), Decimal(t.emissivity, 2)), t.emissivity);
  }
  dialog.AddRow(tr("Typische Werte:"), typical);

  const QString reflectedName = tr("Reflektierte Temperatur");
  const std::optional<int> ambient = picture_.Ambient();
  auto* asAmbient = new QCheckBox(ambient ? tr("wie Umgebung (%1 °C)").arg(*ambient) : tr("wie Umgebung"), &dialog);
  asAmbient->setObjectName(QStringLiteral("asAmbient"));
  asAmbient->setChecked(!now.reflectedCelsius);
  auto* reflected = new QLineEdit(now.reflectedCelsius ? QLocale().toString(*now.reflectedCelsius)
                                                       : ambient ? QString::number(*ambient) : QString(),
                                  &dialog);
  reflected->setObjectName(QStringLiteral("reflected"));
  auto* reflectedRow = new QWidget(&dialog);
  auto* reflectedLayout = new QHBoxLayout(reflectedRow);
  reflectedLayout->setContentsMargins(0, 0, 0, 0);
  reflectedLayout->addWidget(reflected);
  reflectedLayout->addWidget(asAmbient);
  dialog.AddRow(tr("%1 (°C):").arg(reflectedName), reflectedRow);
  const auto showReflected = [asAmbient, reflected] { reflected->setEnabled(!asAmbient->isChecked()); };
  connect(asAmbient, &QCheckBox::toggled, &dialog, showReflected);
  showReflected();

  // Points and areas: an empty field takes the picture's.
  const auto addOwn = [&](const QString& what, std::size_t count, const auto& own, const QString& objectPrefix) {
    for (std::size_t i = 0; i < count; ++i) {
      const QString name = QStringLiteral("%1 %2").arg(what).arg(i + 1);
      const QString text = own[i] ? Decimal(*own[i], 2) : QString();
      auto* field = dialog.AddField(tr("%1 (ε):").arg(name), text, objectPrefix + QString::number(i + 1));
      field->setPlaceholderText(tr("wie Bild"));
      fields.push_back({name, field});
    }
  };
  addOwn(tr("Punkt"), picture_.Points().size(), now.points, QStringLiteral("point"));
  addOwn(tr("Messfeld"), picture_.Areas().size(), now.areas, QStringLiteral("area"));

  // A typical value goes into the emissivity field last written in. The
  // fields lose their focus as the dialog goes, after `fields` has gone:
  // the connection ends with the question.
  const auto followFocus = connect(qApp, &QApplication::focusChanged, &dialog, [&](QWidget*, QWidget* now) {
    for (const EmissivityField& f : fields) {
      if (f.field == now) chosen = f.field;
    }
  });
  connect(typical, &QComboBox::activated, &dialog, [&](int index) {
    if (index > 0) chosen->setText(Decimal(typical->itemData(index).toDouble(), 2));
  });

  const bool taken = dialog.Ask([&]() -> std::optional<QString> {
    PictureModel::EmissivityChoice choice;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const QString text = fields[i].field->text().trimmed();
      if (i > 0 && text.isEmpty()) continue;
      const auto parsed = ParseEmissivity(text.toStdString());
      if (const auto* fault = std::get_if<NumberFault>(&parsed)) {
        return NumberRefusal(*fault, fields[i].caption, emissivityRange);
      }
      const double emissivity = std::get<double>(parsed);
      if (i == 0) choice.picture = emissivity;
      else if (i <= picture_.Points().size()) choice.points[i - 1] = emissivity;
      else choice.areas[i - 1 - picture_.Points().size()] = emissivity;
    }
    if (!asAmbient->isChecked()) {
      const auto parsed = ParseReflectedCelsius(reflected->text().toStdString());
      if (const auto* fault = std::get_if<NumberFault>(&parsed)) {
        return NumberRefusal(*fault, reflectedName, tr("%1 bis %2 °C").arg(kLowestReading).arg(kHighestReading));
      }
      choice.reflectedCelsius = std::get<double>(parsed);
    }
    picture_.SetEmissivity(choice);
    return std::nullopt;
  });
  disconnect(followFocus);
  return taken;
}

#include "ui/report.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <functional>
#include <vector>

#include "image/readout.h"
#include "overlay/file_writing.h"
#include "overlay/surface_image.h"
#include "trend/thinned_series.h"
#include "ui/interface_language.h"
#include "ui/marker_colours.h"
#include "ui/picture_model.h"
#include "ui/picture_painter.h"
#include "ui/program_art.h"
#include "ui/report_plot.h"
#include "ui/torvak_controls.h"
#include "ui/trend_window.h"

class Report {
  Q_DECLARE_TR_FUNCTIONS(Report)
};

namespace {

constexpr double kMarginMm = 15.0;
constexpr int kPdfDpi = 300;
constexpr double kTextPoints = 9.0;
constexpr double kTitlePoints = 16.0;
constexpr double kScaleColumnMm = 32.0;
constexpr double kPlotHeightMm = 62.0;
constexpr std::size_t kDrawnSamples = 2000;  // a line per point needs no more on paper
constexpr double kMinutesBeyond = 120.0;     // longer courses are plotted in minutes, as on the screen
constexpr int kFitSteps = 200;

QString Seconds(double seconds) { return NumberLocale().toString(seconds, 'f', 0); }

// The measuring points and areas, a row of texts each after the headings. A
// column is one entry: its heading, its text for point i and for area i.
std::vector<QStringList> MeasurementRows(const PictureModel& model) {
  using Text = std::function<QString(std::size_t)>;
  struct Column {
    QString heading;
    Text point, area;
  };
  const QString none = QStringLiteral("–");
  const Text nothing = [none](std::size_t) { return none; };
  // An area's corrected values, one of them by `part`.
  const auto area = [&model, none](QString PictureModel::AreaTexts::*part) -> Text {
    return [&model, none, part](std::size_t i) {
      const std::optional<PictureModel::AreaTexts> values = model.AreaValueTexts(i);
      return values ? (*values).*part : none;
    };
  };
  const auto emissivity = [](double value) { return NumberLocale().toString(value, 'f', 2); };
  const std::vector<Column> columns{
      {Report::tr("Messstelle"), [](std::size_t i) { return Report::tr("Messpunkt %1").arg(i + 1); },
       [](std::size_t i) { return Report::tr("Messfeld %1").arg(i + 1); }},
      {Report::tr("Zellen"),
       [&model](std::size_t i) {
         return Report::tr("Spalte %1, Zeile %2").arg(model.Points()[i].column).arg(model.Points()[i].row);
       },
       [&model](std::size_t i) {
         const CellArea& cells = model.Areas()[i];
         return Report::tr("Spalte %1–%2, Zeile %3–%4")
             .arg(cells.first.column).arg(cells.last.column).arg(cells.first.row).arg(cells.last.row);
       }},
      {Report::tr("Wert / Mittel"),
       [&model, none](std::size_t i) { return model.PointText(i).value_or(none); },
       area(&PictureModel::AreaTexts::mean)},
      {Report::tr("Höchste"), nothing, area(&PictureModel::AreaTexts::highest)},
      {Report::tr("Niedrigste"), nothing, area(&PictureModel::AreaTexts::lowest)},
      {Report::tr("Zellen gelesen"), nothing, [&model](std::size_t i) {
         const std::optional<AreaStatistics> values = model.AreaValues(i);
         return Report::tr("%1 von %2").arg(values ? values->cellsRead : 0).arg(model.Areas()[i].Cells());
       }},
      {Report::tr("ε"), [&](std::size_t i) { return emissivity(model.PointEmissivity(i)); },
       [&](std::size_t i) { return emissivity(model.AreaEmissivity(i)); }},
  };
  std::vector<QStringList> rows(1 + model.Points().size() + model.Areas().size());
  for (const Column& column : columns) {
    rows[0] << column.heading;
    for (std::size_t i = 0; i < model.Points().size(); ++i) rows[1 + i] << column.point(i);
    for (std::size_t i = 0; i < model.Areas().size(); ++i) rows[1 + model.Points().size() + i] << column.area(i);
  }
  return rows;
}

// Writes down the page from the top, in the device's pixels.
class Page {
 public:
  Page(QPainter& painter, const QRectF& paper) : painter_(painter), paper_(paper), top_(paper.top()) {
    unit_ = painter.device()->logicalDpiY() / 25.4;
    SetFont(kTextPoints, false);
  }
  double Mm(double mm) const { return mm * unit_; }
  double Width() const { return paper_.width(); }
  double Line() const { return QFontMetricsF(painter_.font(), painter_.device()).lineSpacing(); }
  void SetFont(double points, bool bold) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(points);
    font.setBold(bold);
    painter_.setFont(font);
  }
  // The next `height` of the page, with a gap after it.
  QRectF Take(double height, double gapMm = 4.0) {
    const QRectF taken(paper_.left(), top_, paper_.width(), height);
    top_ += height + Mm(gapMm);
    return taken;
  }
  // A paragraph across the page, broken into lines where it is too long.
  void Text(const QString& text) {
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRectF needed = painter_.boundingRect(QRectF(0, 0, Width(), 1e6), flags, text);
    painter_.drawText(Take(needed.height(), 1.0), flags, text);
  }
  QPainter& painter() { return painter_; }

 private:
  QPainter& painter_;
  QRectF paper_;
  double top_;
  double unit_ = 1.0;
};

void PaintTitle(Page& page, const QDateTime& when) {
  page.SetFont(kTitlePoints, true);
  const QRectF line = page.Take(page.Line(), 2.0);
  page.painter().drawText(line, Qt::AlignLeft | Qt::AlignVCenter, Report::tr("Torvak – Messbericht"));
  page.SetFont(kTextPoints, false);
  const QLocale locale = NumberLocale();
  page.painter().drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                          Report::tr("%1, %2 Uhr")
                              .arg(locale.toString(when.date(), QLocale::LongFormat),
                                   locale.toString(when.time(), QLocale::ShortFormat)));
}

// The picture as the window shows it, and beside it the colour scale with
// Max above, Min and Umgebung below, as the window's captions say.
void PaintPictureAndScale(Page& page, const PictureModel& model) {
  QPainter& painter = page.painter();
  const QRectF area = page.Take((page.Width() - page.Mm(kScaleColumnMm)) * kPictureHeight / kPictureWidth);
  const double width = area.height() * kPictureWidth / kPictureHeight;
  // The markers' numbers in the window's size relative to the picture.
  QFont markers = DialogFont();
  markers.setPixelSize(QFontInfo(DialogFont()).pixelSize());
  painter.setFont(markers);
  PaintPicture(painter, model, QRectF(area.topLeft(), QSizeF(width, area.height())).toRect());
  page.SetFont(kTextPoints, false);
  const double line = page.Line();
  const double left = area.left() + width + page.Mm(5);
  const auto caption = [&](double top, int label, const QString& value) {
    painter.drawText(QPointF(left, top + line), ControlCaption(label));
    painter.drawText(QPointF(left, top + 2 * line), value);
  };
  caption(area.top() - line / 4, ctl::kMaxLabel, model.MaxText());
  const QRectF bar(left, area.top() + 2.2 * line, page.Mm(6), area.height() - 6.6 * line);
  const DisplayData& display = model.Display();
  painter.drawImage(bar, SurfaceImage(model.Legend()), QRectF(0, 0, display.legendWidth, display.legendHeight));
  caption(bar.bottom(), ctl::kMinLabel, model.MinText());
  if (!model.AmbientText().isEmpty()) caption(bar.bottom() + 2.2 * line, ctl::kAmbientLabel, model.AmbientText());
}

// What the picture shows besides the readings: a colour span, an isotherm, a difference.
void PaintPictureNotes(Page& page, const PictureModel& model) {
  QStringList notes{model.SpanText(), model.IsothermNote(), model.DifferenceNote(), model.EmissivityNote()};
  notes.removeAll(QString());
  if (!notes.isEmpty()) page.Text(notes.join(QStringLiteral("   ")));
}

// Each column as wide as its widest text, the headings in bold.
void PaintTable(Page& page, const std::vector<QStringList>& rows) {
  QPainter& painter = page.painter();
  const double rowHeight = 1.4 * page.Line();
  const QRectF table = page.Take(rowHeight * static_cast<double>(rows.size()));
  std::vector<double> widths(rows.front().size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    page.SetFont(kTextPoints, r == 0);
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (int c = 0; c < rows[r].size(); ++c) {
      widths[c] = std::max(widths[c], metrics.horizontalAdvance(rows[r][c]) + page.Mm(4));
    }
  }
  std::vector<double> lefts{table.left()};
  for (double width : widths) lefts.push_back(lefts.back() + width);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    page.SetFont(kTextPoints, r == 0);
    const double top = table.top() + rowHeight * static_cast<double>(r);
    for (int c = 0; c < rows[r].size(); ++c) {
      painter.drawText(QRectF(lefts[c], top, lefts[c + 1] - lefts[c], rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       rows[r][c]);
    }
    painter.setPen(QPen(Qt::gray, page.Mm(0.15)));
    painter.drawLine(QPointF(table.left(), top + rowHeight), QPointF(lefts.back(), top + rowHeight));
    painter.setPen(Qt::black);
  }
  page.SetFont(kTextPoints, false);
}

// The points' readings and the areas' means over time, corrected as their
// series are, and the last fit's curve over its span.
std::optional<std::pair<PlotTexts, std::vector<PlotCurve>>> CoursePlot(const TrendRecorder& recorder, double unit) {
  std::vector<PlotCurve> curves;
  double last = 0.0;
  for (std::size_t i = 0; i < recorder.SeriesCount(); ++i) {
    if (!recorder.Series(i).empty()) last = std::max(last, recorder.Series(i).back().seconds);
  }
  const double scale = last > kMinutesBeyond ? 1.0 / 60.0 : 1.0;
  for (std::size_t i = 0; i < recorder.SeriesCount(); ++i) {
    if (recorder.Series(i).empty()) continue;
    ThinnedSeries thinned(kDrawnSamples);
    std::vector<QPointF> run;
    for (const TrendSample& s : CorrectedSamples(thinned.Update(recorder.Series(i)), recorder.CorrectionOf(i))) {
      run.emplace_back(s.seconds * scale, s.celsius);
    }
    curves.push_back({SeriesName(recorder, i), QPen(SeriesColour(recorder, i), 0.4 * unit), {run}});
  }
  if (curves.empty()) return std::nullopt;
  if (const auto& kept = recorder.LastFit()) {
    std::vector<QPointF> run;
    for (int step = 0; step <= kFitSteps; ++step) {
      const double seconds = kept->span.from + (kept->span.to - kept->span.from) * step / kFitSteps;
      run.emplace_back(seconds * scale, kept->fit.At(seconds));
    }
    curves.push_back({Report::tr("Anpassung"), QPen(Qt::black, 0.4 * unit, Qt::DashLine), {run}});
  }
  return std::pair{PlotTexts{Report::tr("Temperaturverlauf"), scale == 1.0 ? Report::tr("Zeit (s)") : Report::tr("Zeit (min)"),
                             Report::tr("Temperatur (° C)")},
                   curves};
}

// Lines through a profile's values, broken where a cell has none.
std::vector<std::vector<QPointF>> ProfileRuns(const std::vector<double>& positions, const LineProfile& values) {
  std::vector<std::vector<QPointF>> runs(1);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i]) {
      runs.back().emplace_back(positions[i], *values[i]);
    } else if (!runs.back().empty()) {
      runs.emplace_back();
    }
  }
  if (runs.back().empty()) runs.pop_back();
  return runs;
}

// The live profile in red and the earlier ones kept fainter, older ones fainter still, as on the screen.
std::optional<std::pair<PlotTexts, std::vector<PlotCurve>>> ProfilePlot(const ProfileHistory& profile, double unit) {
  if (!profile.HasLine()) return std::nullopt;
  std::vector<PlotCurve> curves;
  const auto& earlier = profile.Earlier();
  for (std::size_t i = 0; i < earlier.size(); ++i) {
    QColor faint(40, 90, 200);
    faint.setAlphaF(0.15 + 0.5 * static_cast<double>(i + 1) / static_cast<double>(earlier.size() + 1));
    const QString name = i + 1 == earlier.size() ? Report::tr("früher, zuletzt nach %1 s").arg(Seconds(earlier[i].seconds))
                                                 : QString();
    curves.push_back({name, QPen(faint, 0.4 * unit), ProfileRuns(profile.Positions(), earlier[i].values)});
  }
  curves.push_back({Report::tr("jetzt"), QPen(QColor(200, 30, 30), 0.4 * unit),
                    ProfileRuns(profile.Positions(), profile.Live().values)});
  std::erase_if(curves, [](const PlotCurve& curve) { return curve.runs.empty(); });
  if (curves.empty()) return std::nullopt;
  return std::pair{PlotTexts{Report::tr("Linienprofil"), Report::tr("Position entlang der Linie (Zellen)"),
                             Report::tr("Temperatur (° C)")},
                   curves};
}

// The plots side by side, each as wide as the row shares, and the fit's result beneath.
void PaintPlots(Page& page, const PictureModel& model) {
  const double unit = page.Mm(1);
  std::vector<std::pair<PlotTexts, std::vector<PlotCurve>>> plots;
  for (auto plot : {CoursePlot(model.Recorder(), unit), ProfilePlot(model.Profile(), unit)}) {
    if (plot) plots.push_back(std::move(*plot));
  }
  if (plots.empty()) return;
  const QRectF row = page.Take(page.Mm(kPlotHeightMm), 1.0);
  const double width = row.width() / static_cast<double>(plots.size());
  for (std::size_t i = 0; i < plots.size(); ++i) {
    PaintPlot(page.painter(), QRectF(row.left() + width * static_cast<double>(i), row.top(), width - page.Mm(2), row.height()),
              unit, plots[i].first, plots[i].second);
  }
  if (const auto& kept = model.Recorder().LastFit()) {
    page.Text(Report::tr("Abkühlung von %1 (%2 s bis %3 s): %4")
                  .arg(SeriesName(model.Recorder(), kept->series))
                  .arg(Seconds(kept->span.from), Seconds(kept->span.to), FitText(kept->fit)));
  }
}

}  // namespace

QPageLayout ReportPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

void PaintReport(QPagedPaintDevice& device, const PictureModel& model, const QDateTime& when) {
  QPainter painter(&device);
  const QRectF paper(QPointF(0, 0), device.pageLayout().paintRectPixels(device.logicalDpiY()).size());
  Page page(painter, paper);
  PaintTitle(page, when);
  PaintPictureAndScale(page, model);
  PaintPictureNotes(page, model);
  if (const std::vector<QStringList> rows = MeasurementRows(model); rows.size() > 1) PaintTable(page, rows);
  PaintPlots(page, model);
}

std::optional<QString> SaveReport(const QString& path, const PictureModel& model, const QDateTime& when) {
  return WriteFileAtomically(path, [&](QIODevice& buffer) {
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfDpi);
    writer.setTitle(Report::tr("Torvak – Messbericht"));
    writer.setCreator(QStringLiteral("Torvak"));
    writer.setPageLayout(ReportPageLayout());
    PaintReport(writer, model, when);
    return true;
  });
}

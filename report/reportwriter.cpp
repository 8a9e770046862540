#include "report/reportwriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>
#include <memory>

namespace opal {
namespace {

// Bytes read from a printer may be anything: a control character is shown as \xNN, never
// passed on into the page.
QString Escaped(const std::string& text) {
  QString shown;
  for (const QChar c : QString::fromStdString(text)) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
      shown += QStringLiteral("\\x") +
               QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
    } else {
      shown += c;
    }
  }
  return shown.toHtmlEscaped();
}

QString Row(const QString& name, const std::string& value) {
  return "<tr><th>" + name + "</th><td>" + Escaped(value.empty() ? "-" : value) + "</td></tr>";
}

QString ImageSource(const std::filesystem::path& file, ReportImages images) {
  if (images == ReportImages::Files)
    return QUrl::fromLocalFile(QString::fromStdString(file)).toString();
  QFile png(QString::fromStdString(file));
  if (!png.open(QIODevice::ReadOnly)) return {};
  return "data:image/png;base64," + QString::fromLatin1(png.readAll().toBase64());
}

// The PDF writer lays out text with the system's fonts, which only a Gui application reaches.
void NeedGuiApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 3;
  static char name[] = "opalctl", platform[] = "-platform", offscreen[] = "offscreen";
  static char* argv[] = {name, platform, offscreen, nullptr};
  static const auto application = std::make_unique<QGuiApplication>(argc, argv);
}

bool Save(const std::filesystem::path& file, const std::function<bool(QIODevice&)>& write,
          std::string& problem) {
  QSaveFile out(QString::fromStdString(file));
  if (!out.open(QIODevice::WriteOnly) || !write(out) || !out.commit()) {
    problem = file.string() + ": " + out.errorString().toStdString();
    return false;
  }
  return true;
}

}  // namespace

std::string ReportHtml(const ServiceReport& report, ReportImages images) {
  QString html =
      "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Service report</title><style>"
      "body{font-family:'DejaVu Sans',sans-serif;font-size:10pt;color:#000;background:#fff}"
      "h1{font-size:16pt}h2{font-size:12pt;margin-top:14pt}"
      "table{border-collapse:collapse;width:100%}th,td{border:1px solid #888;padding:3pt;"
      "text-align:left;vertical-align:top}th{background:#eee}"
      "tr,img{page-break-inside:avoid}img{border:1px solid #888;margin:4pt}"
      "@page{size:A4;margin:15mm}</style></head><body>"
      "<h1>Service report</h1><h2>Printer</h2><table cellspacing=\"0\" cellpadding=\"3\">";
  html += Row("Model", report.model) + Row("Serial number", report.serial) +
          Row("USB ID", report.usb_id) + Row("Head ID", report.head_id) + "</table>";
  html += "<h2>Work done since " + Escaped(report.since) + "</h2>";
  if (report.operations.empty()) {
    html += "<p>No operation changed the printer in this time.</p>";
  } else {
    html +=
        "<table width=\"100%\" cellspacing=\"0\" "
        "cellpadding=\"3\"><tr><th width=\"15%\">Time</th><th width=\"18%\">Operation</th>"
        "<th width=\"35%\">Before → after</th><th width=\"16%\">Technician</th>"
        "<th width=\"16%\">Bench</th></tr>";
    for (const ReportOperation& operation : report.operations) {
      QString changes;
      for (const std::string& change : operation.changes) changes += Escaped(change) + "<br>";
      if (!operation.failure.empty()) changes += "<i>" + Escaped(operation.failure) + "</i>";
      if (changes.isEmpty()) changes = "<i>every value left as it was</i>";
      html += "<tr><td>" + Escaped(operation.time) + "</td><td>" + Escaped(operation.operation) +
              "<br><small>" + Escaped(operation.state) + "</small></td><td>" + changes +
              "</td><td>" + Escaped(operation.technician) + "</td><td>" + Escaped(operation.bench) +
              "</td></tr>";
    }
    html += "</table>";
  }
  if (!report.pages.empty()) {
    html += "<h2>Pages printed</h2><p>";
    for (const std::filesystem::path& page : report.pages) {
      html += "<img width=\"220\" alt=\"" + Escaped(page.filename().string()) + "\" src=\"" +
              ImageSource(page, images).toHtmlEscaped() + "\">";
    }
    html += "</p>";
  }
  return (html + "</body></html>\n").toStdString();
}

bool WriteReport(const ServiceReport& report, const std::filesystem::path& file,
                 std::string& problem) {
  const std::string extension = file.extension().string();
  if (extension == ".html" || extension == ".htm") {
    const std::string html = ReportHtml(report, ReportImages::Embedded);
    return Save(
        file,
        [&](QIODevice& out) {
          return out.write(html.data(), static_cast<qint64>(html.size())) ==
                 static_cast<qint64>(html.size());
        },
        problem);
  }
  if (extension != ".pdf") {
    problem = file.string() + ": a report is written as .pdf or .html";
    return false;
  }
  NeedGuiApplication();
  return Save(
      file,
      [&](QIODevice& out) {
        QPdfWriter writer(&out);
        writer.setTitle(QStringLiteral("Service report"));
        writer.setCreator(QStringLiteral("Opal Service"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        QTextDocument document;
        document.setHtml(QString::fromStdString(ReportHtml(report, ReportImages::Files)));
        document.print(&writer);
        return true;
      },
      problem);
}

}  // namespace opal

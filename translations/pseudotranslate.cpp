// Writes a pseudo-translation of a .ts file: every source text 40 % longer, its letters accented,
// so that a form which clips or overlaps a longer language shows it without knowing one.
// Placeholders (%1, %L1, %n), markup (<b>, &amp;) and line breaks stay as they are.
// Usage: opal_pseudotranslate FROM.ts TO.ts

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>
#include <cstdio>

namespace {

struct Message {
  QString source;
  QString comment;
};

QChar Accented(QChar letter) {
  static const QHash<QChar, QChar> kAccents{
      {u'a', u'á'}, {u'e', u'é'}, {u'i', u'í'}, {u'o', u'ö'}, {u'u', u'ü'}, {u'c', u'ç'},
      {u'n', u'ñ'}, {u'y', u'ý'}, {u's', u'š'}, {u'z', u'ž'}, {u'A', u'Å'}, {u'E', u'É'},
      {u'I', u'Î'}, {u'O', u'Ø'}, {u'U', u'Ü'}, {u'C', u'Ç'}, {u'N', u'Ñ'}, {u'S', u'Š'}};
  return kAccents.value(letter, letter);
}

// The text's words, each accented and lengthened by its share of 40 % of the text's length
// (markup and placeholders not counted), so the longer words stay words a layout can wrap.
QString Pseudo(const QString& source) {
  static const QRegularExpression kKept(QStringLiteral(R"(%L?\d+|%n|<[^>]*>|&[a-z]+;|\n)"));
  static const QRegularExpression kWord(QStringLiteral(R"(\p{L}+)"));
  QString plain = source;
  plain.remove(kKept);
  const int extra = static_cast<int>(std::ceil(0.4 * static_cast<double>(plain.size())));
  int letters = 0;
  for (auto it = kWord.globalMatch(plain); it.hasNext();) letters += it.next().capturedLength();

  QString result;
  int given = 0;
  int counted = 0;
  int from = 0;
  // The kept pieces are copied; the words between them grow.
  const auto grow = [&](const QString& piece) {
    int at = 0;
    for (auto it = kWord.globalMatch(piece); it.hasNext();) {
      const QRegularExpressionMatch word = it.next();
      result += piece.mid(at, word.capturedStart() - at);
      QString accented;
      for (const QChar letter : word.captured()) accented += Accented(letter);
      counted += word.capturedLength();
      const int due = letters == 0 ? 0 : extra * counted / letters;
      QString longer = accented;
      for (int k = 0; given < due; ++k, ++given) longer += accented.at(k % accented.size());
      result += longer;
      at = word.capturedEnd();
    }
    result += piece.mid(at);
  };
  for (auto it = kKept.globalMatch(source); it.hasNext();) {
    const QRegularExpressionMatch kept = it.next();
    grow(source.mid(from, kept.capturedStart() - from));
    result += kept.captured();
    from = kept.capturedEnd();
  }
  grow(source.mid(from));
  // A text without letters ("1:4") still grows.
  if (given < extra) result += QString(extra - given, u'~');
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: opal_pseudotranslate FROM.ts TO.ts\n", stderr);
    return 2;
  }
  QFile in(QString::fromLocal8Bit(argv[1]));
  QFile out(QString::fromLocal8Bit(argv[2]));
  if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    std::fprintf(stderr, "opal_pseudotranslate: cannot open %s or %s\n", argv[1], argv[2]);
    return 1;
  }
  QXmlStreamReader reader(&in);
  QXmlStreamWriter writer(&out);
  writer.setAutoFormatting(true);
  writer.writeStartDocument();
  writer.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
  writer.writeStartElement(QStringLiteral("TS"));
  writer.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
  Message message;
  while (!reader.atEnd()) {
    if (reader.readNext() != QXmlStreamReader::StartElement) {
      if (reader.isEndElement() && reader.name() == u"context") writer.writeEndElement();
      continue;
    }
    if (reader.name() == u"context") {
      writer.writeStartElement(QStringLiteral("context"));
    } else if (reader.name() == u"name") {
      writer.writeTextElement(QStringLiteral("name"), reader.readElementText());
    } else if (reader.name() == u"message") {
      message = {};
    } else if (reader.name() == u"source") {
      message.source = reader.readElementText();
    } else if (reader.name() == u"comment") {
      message.comment = reader.readElementText();
    } else if (reader.name() == u"translation") {
      writer.writeStartElement(QStringLiteral("message"));
      writer.writeTextElement(QStringLiteral("source"), message.source);
      if (!message.comment.isEmpty())
        writer.writeTextElement(QStringLiteral("comment"), message.comment);
      writer.writeTextElement(QStringLiteral("translation"), Pseudo(message.source));
      writer.writeEndElement();
    }
  }
  writer.writeEndElement();
  writer.writeEndDocument();
  if (reader.hasError()) {
    std::fprintf(stderr, "opal_pseudotranslate: %s: %s\n", argv[1],
                 qPrintable(reader.errorString()));
    return 1;
  }
  return 0;
}

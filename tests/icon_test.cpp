// The application icon: 32 x 32, every pixel opaque and one of the 16
// palette colours, white on pure blue, and the same picture in all three
// files (the XPM source, the PNG the program embeds and installs, the .ico
// of the Windows build).
#include <QColor>
#include <QDir>
#include <QImage>
#include <QSet>
#include <QTest>

namespace {

const QDir kResources(QStringLiteral(QUOTALIS_RESOURCES_DIR));

const QList<QRgb> kPalette = {
    qRgb(0, 0, 0),     qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),   qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0), qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),   qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

QImage Embedded() { return QImage(QStringLiteral(":/quotalis/icon.png")); }

}  // namespace

class IconTest : public QObject {
  Q_OBJECT

 private slots:
  void embeddedIcon() {
    const QImage icon = Embedded();
    QCOMPARE(icon.size(), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const QRgb pixel = icon.pixel(x, y);
        QVERIFY2(qAlpha(pixel) == 255, qPrintable(QStringLiteral("transparent at %1,%2").arg(x).arg(y)));
        QVERIFY2(kPalette.contains(qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel))),
                 qPrintable(QColor(pixel).name()));
        colours.insert(pixel);
      }
    }
    QVERIFY(colours.contains(qRgb(255, 255, 255)));
    for (QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
      QCOMPARE(QColor(icon.pixel(corner)), QColor(0, 0, 255));
  }

  void sameInEveryFile_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("XPM source") << QStringLiteral("icon.xpm");
    QTest::newRow("committed PNG") << QStringLiteral("icon.png");
    QTest::newRow("Windows icon") << QStringLiteral("icon.ico");
  }

  void sameInEveryFile() {
    QFETCH(QString, file);
    const QImage other(kResources.filePath(file));
    QVERIFY2(!other.isNull(), qPrintable(kResources.filePath(file)));
    QCOMPARE(other.size(), QSize(32, 32));
    const QImage icon = Embedded();
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) QCOMPARE(QColor(other.pixel(x, y)), QColor(icon.pixel(x, y)));
  }
};

QTEST_MAIN(IconTest)
#include "icon_test.moc"

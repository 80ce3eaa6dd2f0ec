// The game picture as compiled in, and the bitmap reader's refusal of
// damaged or foreign files.
#include "resources/pictures.h"
#include "runtime/bitmap.h"

#include <QtTest>

#include <cstring>
#include <set>
#include <vector>

using namespace varn;

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t U32(const Bytes& b, std::size_t at) {
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v; // the build machines are little-endian, like the format
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    std::memcpy(b.data() + at, &v, 4);
}

Bytes GamePicture() {
    auto bytes = PictureBytes(PictureId::GamePicture);
    return {bytes.begin(), bytes.end()};
}

} // namespace

class BitmapTest : public QObject {
    Q_OBJECT

  private slots:
    void gamePictureHasTheStoredFormat() {
        const Bytes b = GamePicture();
        QCOMPARE(b.size(), std::size_t(58662));
        QCOMPARE(b[0], std::uint8_t('B'));
        QCOMPARE(b[1], std::uint8_t('M'));
        QCOMPARE(U32(b, 2), 58662u); // file size
        QCOMPARE(U32(b, 10), 54u);   // pixel data offset
        QCOMPARE(U32(b, 14), 40u);   // information header size
        QCOMPARE(std::int32_t(U32(b, 18)), 176);
        QCOMPARE(std::int32_t(U32(b, 22)), 111); // positive: bottom row first
        QCOMPARE(U32(b, 26) & 0xFFFF, 1u);       // planes
        QCOMPARE(U32(b, 26) >> 16, 24u);         // bits per pixel
        QCOMPARE(U32(b, 30), 0u);                // uncompressed
        QCOMPARE(U32(b, 46), 0u);                // no colour table
        QCOMPARE(54u + 111u * 528u, 58662u);     // rows of 528 bytes, no padding
    }

    void gamePictureIsAPictureNotNoise() {
        const Bitmap picture = DecodeBitmap(PictureBytes(PictureId::GamePicture));
        QCOMPARE(picture.width, 176);
        QCOMPARE(picture.height, 111);
        std::set<std::uint32_t> colours(picture.pixels.begin(), picture.pixels.end());
        QVERIFY2(colours.size() >= 8 && colours.size() <= 64,
                 qPrintable(QString("%1 colours").arg(colours.size())));
        // The first stored row is the bottom of the picture.
        const Bytes b = GamePicture();
        const std::uint32_t bottomLeft = std::uint32_t(b[56]) << 16 | b[55] << 8 | b[54];
        QCOMPARE(picture.At(0, 110), bottomLeft);
    }

    void damagedBitmapsAreRejected_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("truncated mid-pixels") << "truncate 30000"
                                              << "header says";
        QTest::newRow("only headers") << "truncate 54"
                                      << "header says";
        QTest::newRow("shorter than headers") << "truncate 20"
                                              << "shorter than its headers";
        QTest::newRow("empty") << "truncate 0"
                               << "shorter than its headers";
        QTest::newRow("wrong signature") << "signature"
                                         << "signature";
        QTest::newRow("8 bits per pixel") << "bpp 8"
                                          << "24 bits";
        QTest::newRow("compressed") << "compression 1"
                                    << "compressed";
        QTest::newRow("pixels past the end") << "offset 1000"
                                             << "truncated";
        QTest::newRow("pixels inside headers") << "offset 20"
                                               << "overlaps";
        QTest::newRow("absurd width") << "width 100000"
                                      << "implausible";
        QTest::newRow("zero height") << "height 0"
                                     << "implausible";
    }
    void damagedBitmapsAreRejected() {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        Bytes b = GamePicture();
        const QStringList words = damage.split(' ');
        const std::uint32_t value = words.size() > 1 ? words[1].toUInt() : 0;
        if (words[0] == "truncate")
            b.resize(value);
        else if (words[0] == "signature")
            b[1] = 'X';
        else if (words[0] == "bpp")
            b[28] = std::uint8_t(value);
        else if (words[0] == "compression")
            Put32(b, 30, value);
        else if (words[0] == "offset")
            Put32(b, 10, value);
        else if (words[0] == "width")
            Put32(b, 18, value);
        else if (words[0] == "height")
            Put32(b, 22, value);
        try {
            DecodeBitmap(b);
            QFAIL("a damaged bitmap was accepted");
        } catch (const BitmapError& error) {
            QVERIFY2(QString(error.what()).contains(reason), error.what());
        }
    }

    void topDownBitmapReadsTheSameImage() {
        Bytes b = GamePicture();
        Bytes flipped = b;
        Put32(flipped, 22, std::uint32_t(-111));
        for (int row = 0; row < 111; ++row)
            std::memcpy(flipped.data() + 54 + row * 528, b.data() + 54 + (110 - row) * 528, 528);
        QCOMPARE(DecodeBitmap(flipped).pixels, DecodeBitmap(b).pixels);
    }
};

QTEST_GUILESS_MAIN(BitmapTest)
#include "test_bitmap.moc"

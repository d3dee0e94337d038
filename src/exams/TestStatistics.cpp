#include "exams/TestStatistics.h"

#include "store/TextValue.h"

#include <cmath>

namespace exams {

namespace {

// Thousandths of count / total, half away from zero, in whole numbers so 0.9555 never drifts.
long long rateThousandths(double count, double total) { return std::llround(count * 1000.0 / total); }

QString percent(long long thousandths)
{
    return QStringLiteral("%1.%2%").arg(thousandths / 10).arg(thousandths % 10);
}

QString plainNumber(double value) { return QString::number(value, 'g', 15); }

} // namespace

double scoreValue(const QString &cell)
{
    return cell == QStringLiteral("00") ? 100.0 : store::numericValue(cell);
}

QString shownScore(const QString &cell) { return cell == QStringLiteral("00") ? QStringLiteral("100") : cell; }

Band bandOf(double value)
{
    if (value > 84)
        return Band::Excellent;
    if (value > 74 && value < 85)
        return Band::Good;
    if (value > 59 && value < 75)
        return Band::Fair;
    return Band::Fail;
}

TestStatistics 取得各项显示数据(const QStringList &cells)
{
    TestStatistics t;
    auto &S = t.S;
    for (const QString &cell : cells) {
        if (cell.isEmpty())
            continue;
        t.anyScore = true;
        const double v = scoreValue(cell);
        S[1] += 1;
        S[12] += v;
        switch (bandOf(v)) {
        case Band::Excellent: S[4] += 1; break;
        case Band::Good: S[6] += 1; break;
        case Band::Fair: S[8] += 1; break;
        case Band::Fail: S[10] += 1; break;
        }
    }
    if (!t.anyScore)
        return t;
    const double n = S[1];
    S[3] = rateThousandths(n - S[10], n) / 1000.0;
    S[5] = rateThousandths(S[4], n) / 1000.0;
    S[7] = rateThousandths(S[6], n) / 1000.0;
    S[9] = rateThousandths(S[8], n) / 1000.0;
    S[11] = rateThousandths(S[10], n) / 1000.0;
    S[13] = std::round(S[12] * 10.0 / n) / 10.0;
    return t;
}

std::array<QString, 13> summaryTexts(const TestStatistics &t)
{
    std::array<QString, 13> box;
    if (!t.anyScore)
        return box;
    const auto &S = t.S;
    const double n = S[1];
    box[0] = plainNumber(S[1]);
    box[1] = plainNumber(S[4]);
    box[2] = plainNumber(S[6]);
    box[3] = plainNumber(S[8]);
    box[5] = plainNumber(S[10]);
    box[12] = plainNumber(S[1] - S[10]);
    box[4] = plainNumber(S[13]);
    box[6] = percent(rateThousandths(S[4], n));
    box[7] = percent(rateThousandths(S[6], n));
    box[8] = percent(rateThousandths(S[8], n));
    box[10] = percent(rateThousandths(S[10], n));
    box[9] = percent(rateThousandths(n - S[10], n));
    // Tenths of mean x 0.3 + excellent share x 30 + pass share x 40, over one common divisor.
    const double tenths = std::round((3.0 * S[12] + 300.0 * S[4] + 400.0 * (n - S[10])) / n);
    box[11] = QString::number(tenths / 10.0, 'f', 1);
    return box;
}

bool isCountBox(int box) { return box == 1 || box == 2 || box == 3 || box == 5; }

Band bandOfCountBox(int box)
{
    return box == 1 ? Band::Excellent : box == 2 ? Band::Good : box == 3 ? Band::Fair : Band::Fail;
}

bool highlighted(const QString &scoreCaption, Band band)
{
    return !scoreCaption.isEmpty() && bandOf(store::numericValue(scoreCaption)) == band;
}

} // namespace exams

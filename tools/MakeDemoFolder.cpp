// Lays out a demo database: one class, eight books linked to subjects, a few days of records and
// a term of 语文 tests, the last not yet scored.
#include "store/DateKey.h"
#include "store/HomeworkDb.h"
#include "store/MarkString.h"
#include "store/Schema.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>

using store::Statement;

namespace {

const char *const kPupils[] = {"王小明", "李华",   "张伟",   "刘洋",   "陈静",   "杨帆",   "赵磊",   "黄敏",
                               "周杰",   "吴芳",   "徐亮",   "孙丽",   "胡军",   "朱琳",   "高鹏",   "林娜",
                               "何强",   "郭燕",   "马超",   "罗欣",   "梁宇",   "宋佳",   "郑浩",   "谢婷",
                               "韩冰",   "唐晨",   "冯雪",   "于洋",   "董睿",   "萧然",   "程诚",   "曹阳",
                               "袁梦",   "邓佳怡", "许思远", "傅雨桐", "沈一鸣", "曾可欣", "彭子涵", "吕博文"};
// The second class, taught the same books by the same teacher.
const char *const kSecondClass[] = {"方子轩", "任雨萱", "蒋浩然", "蔡欣怡", "贾明轩", "丁诗涵", "魏子墨", "薛梓萱",
                                    "叶宇航", "阎欣然", "余俊杰", "潘语嫣", "杜文博", "戴思琪", "夏天宇", "钟晓彤",
                                    "汪嘉怡", "田浩宇", "姜一诺", "范子豪", "金雨泽", "石佳琪", "廖俊熙", "邹梦瑶",
                                    "熊子健", "陆思彤", "郝泽宇", "孔梓涵", "白俊宇", "崔可馨", "康志远", "毛若曦",
                                    "邱天佑", "秦雅琪", "江浩轩", "史诗雨"};

struct Book {
    const char *name;
    int subject; // 1 语文 .. 4 科学
};
const Book kBooks[] = {{"《课堂作业本》", 1}, {"《同步练习》", 1},    {"《口算训练本》", 2}, {"《数学作业本》", 2},
                       {"《英语抄写本》", 3}, {"《英语练习册》", 3}, {"《科学作业本》", 4}, {"《语文测试卷》", 1}};

QString text(const char *utf8) { return QString::fromUtf8(utf8); }

void addDay(store::Database &db, const QDate &date, const QStringList &contents, int handedInPercent, int classNumber = 1)
{
    const QString key = store::dateKey(date);
    const store::DateParts parts = store::把年月日进行拆分(key);
    const QString contentsTable = store::quoted(store::contentsTable(classNumber));
    const QString marksTable = store::quoted(store::marksTable(classNumber));
    const QString insert = text("INSERT INTO %1 (\"日期\", \"年份\", \"月份\", \"日子\") VALUES (?, ?, ?, ?)");
    for (const QString &table : {contentsTable, marksTable})
        db.prepare(insert.arg(table)).bind(1, key).bind(2, parts.year).bind(3, parts.month).bind(4, parts.day).run();
    const int pupils = classNumber == 2 ? int(std::size(kSecondClass)) : int(std::size(kPupils));
    for (int slot = 1; slot <= store::kBooks; ++slot) {
        const QString content = slot <= contents.size() ? contents[slot - 1] : QString();
        store::MarkRow row;
        for (int n = 1; n <= pupils; ++n)
            row[n] = !content.isEmpty() && int(QRandomGenerator::global()->bounded(100)) < handedInPercent
                         ? (n % 7 == 0 ? text("2") : text("1"))
                         : text("0");
        db.prepare(text("UPDATE %1 SET %2 = ? WHERE \"日期\" = ?").arg(contentsTable, store::quoted(store::contentColumn(slot))))
            .bind(1, content)
            .bind(2, key)
            .run();
        db.prepare(text("UPDATE %1 SET %2 = ?, %3 = ? WHERE \"日期\" = ?")
                       .arg(marksTable, store::quoted(store::markColumn(slot)), store::quoted(store::flagColumn(slot))))
            .bind(1, store::encodeMarks(row))
            .bind(2, content.isEmpty() ? 0 : 1)
            .bind(3, key)
            .run();
    }
}

// A 语文 test on the test book (8), with the class's scores when scored: a spread around a mean.
void addTest(store::Database &db, const QDate &date, int number, const char *content, int mean)
{
    QStringList contents(8);
    contents[7] = text(content);
    addDay(db, date, contents, 95);
    db.prepare(text("UPDATE \"作业内容登记表\" SET %1 = ? WHERE \"日期\" = ?").arg(store::quoted(store::contentTestColumn(1))))
        .bind(1, number)
        .bind(2, store::dateKey(date))
        .run();
    if (mean == 0)
        return;
    Statement score = db.prepare(text("UPDATE \"语文\" SET %1 = ? WHERE rowid = ?").arg(store::quoted(store::scoreColumn(number))));
    for (int n = 1; n <= int(std::size(kPupils)); ++n) {
        const int value = std::clamp(mean + int(QRandomGenerator::global()->bounded(-25, 16)), 40, 100);
        score.bind(1, value == 100 ? text("00") : QString::number(value)).bind(2, n).run();
        score.reset();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: make-demo-folder <program folder>\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(store::HomeworkDb::filePath(folder))) {
        err << "the folder already holds a database; it is left as it is\n";
        return 0;
    }
    store::HomeworkDb homework(folder);
    store::Database &db = homework.database();
    store::addSecondClassTables(db);
    store::Transaction transaction(db);

    db.exec(text("UPDATE \"班级\" SET \"班级1\" = '五(1)', \"班级2\" = '五(2)'"));
    Statement pupil = db.prepare(text("INSERT INTO \"姓名\" VALUES (?)"));
    for (const char *name : kPupils) {
        pupil.bind(1, text(name)).run();
        pupil.reset();
    }
    Statement secondClass = db.prepare(text("INSERT INTO \"52姓名\" VALUES (?)"));
    for (const char *name : kSecondClass) {
        secondClass.bind(1, text(name)).run();
        secondClass.reset();
    }
    for (int s = 1; s <= 4; ++s) {
        Statement score = db.prepare(text("INSERT INTO %1 (\"姓名\") VALUES (?)").arg(store::quoted(store::subjectName(s))));
        for (const char *name : kPupils) {
            score.bind(1, text(name)).run();
            score.reset();
        }
    }
    for (int b = 0; b < int(std::size(kBooks)); ++b) {
        db.prepare(text("UPDATE \"作业本名称\" SET \"本子%1\" = ?").arg(b + 1)).bind(1, text(kBooks[b].name)).run();
        db.prepare(text("UPDATE \"学科显示作业本标记\" SET %1 = 1, \"全部\" = 1 WHERE rowid = ?")
                       .arg(store::quoted(store::subjectName(kBooks[b].subject))))
            .bind(1, b + 1)
            .run();
    }
    // Test books: 语文 book 8, 数学 book 4.
    db.exec(text("UPDATE \"语数英科在作业本名称中的顺序号\" SET \"语文\" = 8, \"数学\" = 4, \"英语\" = 6, \"科学\" = 7"));

    const QDate today = QDate::currentDate();
    const struct {
        int daysBack;
        const char *content;
        int mean;
    } tests[] = {{40, "第一单元测试", 82}, {33, "第二单元测试", 78}, {26, "期中模拟测试", 85},
                 {19, "第三单元测试", 80}, {12, "第四单元测试", 88}, {5, "第五单元测试", 0}};
    for (int t = 0; t < int(std::size(tests)); ++t)
        addTest(db, today.addDays(-tests[t].daysBack), t + 1, tests[t].content, tests[t].mean);
    addDay(db, today.addDays(-3), {text("第5课生字"), QString(), text("第12页"), QString(), text("Unit 2 单词"), QString(), text("观察记录")}, 85);
    addDay(db, today.addDays(-2), {text("第6课练习"), text("阅读理解一"), text("第13页"), QString(), QString(), text("Unit 2 练习")}, 90);
    addDay(db, today.addDays(-1), {text("第7课默写"), QString(), text("第14页"), text("练习四"), text("Unit 3 单词")}, 80);
    addDay(db, today, {text("第8课生字"), QString(), text("第15页"), QString(), text("Unit 3 抄写")}, 30);
    addDay(db, today.addDays(-2), {QString(), QString(), text("第13页"), QString(), QString(), text("Unit 2 练习")}, 88, 2);
    addDay(db, today.addDays(-1), {QString(), QString(), text("第14页"), text("练习四"), text("Unit 3 单词")}, 82, 2);
    addDay(db, today, {QString(), QString(), text("第15页"), QString(), text("Unit 3 抄写")}, 20, 2);

    Statement recent = db.prepare(text("UPDATE \"最近显示作业\" SET \"日期\" = ?, \"班级号\" = ?, \"作业本号\" = ?, \"组合键\" = ?, \"显示标题\" = ? WHERE rowid = ?"));
    Statement latest = db.prepare(text("UPDATE \"最新输入作业\" SET \"日期\" = ?, \"班级号\" = ?, \"作业本号\" = ?, \"组合键\" = ?, \"显示标题\" = ? WHERE rowid = ?"));
    const struct {
        int daysBack;
        const char *classDigit;
        int slot;
        const char *content;
    } remembered[] = {{0, "1", 5, "Unit 3 抄写"}, {0, "2", 3, "第15页"}, {0, "1", 3, "第15页"}, {0, "1", 1, "第8课生字"},
                      {1, "1", 4, "练习四"}};
    for (int i = 0; i < int(std::size(remembered)); ++i) {
        const QString key = store::dateKey(today.addDays(-remembered[i].daysBack));
        const QString classDigit = text(remembered[i].classDigit);
        const QString slot = QString::number(remembered[i].slot);
        const QString caption = text(kBooks[remembered[i].slot - 1].name) + text(remembered[i].content);
        for (Statement *list : {&recent, &latest}) {
            list->bind(1, key).bind(2, classDigit).bind(3, slot).bind(4, key + classDigit + slot).bind(5, caption).bind(6, i + 1).run();
            list->reset();
        }
    }
    transaction.commit();
    return 0;
}

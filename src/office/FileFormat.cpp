#include "office/FileFormat.h"

#include <QFile>
#include <QtEndian>

#include <optional>
#include <vector>

namespace office {

namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kNoEntry = 0xFFFFFFFF;
constexpr qint64 kHeaderSize = 512;
constexpr qint64 kEntrySize = 128;
constexpr qint64 kMiniSectorSize = 64;
constexpr quint8 kStreamEntry = 2;
constexpr quint8 kRootEntry = 5;
constexpr char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

// The OLE2 compound file as [MS-CFB] lays it out: a header, sectors chained through the FAT, a
// directory of 128-byte entries, and small streams in 64-byte mini sectors of the root's stream.
class CompoundFile
{
public:
    struct Entry
    {
        QString name;
        quint8 type = 0;
        quint32 left = kNoEntry, right = kNoEntry, child = kNoEntry, start = kEndOfChain;
        quint64 size = 0;
    };

    explicit CompoundFile(const QByteArray &bytes) : bytes_(bytes) {}

    bool hasSignature() const
    {
        return bytes_.size() >= kHeaderSize && bytes_.startsWith(QByteArray::fromRawData(kSignature, 8));
    }

    // Header, FAT, directory, mini FAT and mini stream; false when any runs past the end or loops.
    bool load()
    {
        if (u16(0x1C) != 0xFFFE || u16(0x20) != 6 || (u16(0x1E) != 9 && u16(0x1E) != 12))
            return false;
        shift_ = u16(0x1E);
        const qint64 sectorSize = qint64(1) << shift_;
        if (bytes_.size() < sectorSize)
            return false;
        sectors_ = quint32((bytes_.size() - sectorSize) / sectorSize);
        if (!loadFat())
            return false;
        const auto directory = chain(fat_, u32(0x30), sectors_);
        if (!directory)
            return false;
        for (quint32 sector : *directory)
            for (qint64 at = offset(sector); at < offset(sector) + sectorSize; at += kEntrySize)
                entries_.push_back(entryAt(at));
        if (entries_.empty() || entries_.front().type != kRootEntry)
            return false;
        miniCutoff_ = u32(0x38);
        return loadMiniStream();
    }

    // Every stream's chain covers its size without leaving the file: nothing was cut off.
    bool streamsWhole() const
    {
        for (const Entry &entry : entries_)
            if (entry.type == kStreamEntry && !streamChain(entry))
                return false;
        return true;
    }

    // An entry directly under the root storage; names compare without case, as the format does.
    const Entry *rootChild(const QString &name) const
    {
        std::vector<quint32> pending{entries_.front().child};
        // A damaged tree may loop; no tree visits an entry twice.
        for (size_t visited = 0; !pending.empty() && visited < entries_.size(); ++visited) {
            const quint32 id = pending.back();
            pending.pop_back();
            if (id >= entries_.size())
                continue;
            const Entry &entry = entries_[id];
            if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
                return &entry;
            for (quint32 sibling : {entry.left, entry.right})
                if (sibling < entries_.size())
                    pending.push_back(sibling);
        }
        return nullptr;
    }

    // The first bytes of a stream, at most one mini sector.
    QByteArray head(const Entry &entry) const
    {
        const auto sectors = streamChain(entry);
        if (!sectors || sectors->empty())
            return {};
        const qint64 length = qMin<qint64>(qint64(entry.size), kMiniSectorSize);
        if (entry.size >= miniCutoff_)
            return bytes_.mid(offset(sectors->front()), length);
        const qint64 inMiniStream = qint64(sectors->front()) * kMiniSectorSize;
        const quint32 sector = miniStream_[size_t(inMiniStream >> shift_)];
        return bytes_.mid(offset(sector) + (inMiniStream & ((qint64(1) << shift_) - 1)), length);
    }

private:
    quint16 u16(qint64 at) const { return qFromLittleEndian<quint16>(bytes_.constData() + at); }
    quint32 u32(qint64 at) const { return qFromLittleEndian<quint32>(bytes_.constData() + at); }
    qint64 offset(quint32 sector) const { return (qint64(sector) + 1) << shift_; }
    qint64 idsPerSector() const { return (qint64(1) << shift_) / 4; }

    // The ids of a chain through table, each below limit; none when it leaves them or loops.
    std::optional<std::vector<quint32>> chain(const std::vector<quint32> &table, quint32 start,
                                              quint64 limit) const
    {
        limit = qMin<quint64>(limit, table.size());
        std::vector<quint32> ids;
        for (quint32 id = start; id != kEndOfChain; id = table[id]) {
            if (id >= limit || ids.size() >= limit)
                return std::nullopt;
            ids.push_back(id);
        }
        return ids;
    }

    std::optional<std::vector<quint32>> streamChain(const Entry &entry) const
    {
        const bool mini = entry.size < miniCutoff_;
        const auto ids = mini ? chain(miniFat_, entry.start, miniStream_.size() << (shift_ - 6))
                              : chain(fat_, entry.start, sectors_);
        const quint64 unit = mini ? kMiniSectorSize : quint64(1) << shift_;
        if (!ids || ids->size() * unit < entry.size)
            return std::nullopt;
        return ids;
    }

    std::vector<quint32> idsIn(const std::vector<quint32> &sectors) const
    {
        std::vector<quint32> ids;
        for (quint32 sector : sectors)
            for (qint64 i = 0; i < idsPerSector(); ++i)
                ids.push_back(u32(offset(sector) + 4 * i));
        return ids;
    }

    // The FAT's own sectors are listed in the header and then in a chain of DIFAT sectors.
    bool loadFat()
    {
        const quint32 fatSectors = u32(0x2C);
        if (fatSectors > sectors_)
            return false;
        std::vector<quint32> listed;
        for (qint64 i = 0; i < 109 && listed.size() < fatSectors; ++i)
            listed.push_back(u32(0x4C + 4 * i));
        quint32 next = u32(0x44);
        for (quint32 steps = 0; listed.size() < fatSectors; ++steps) {
            if (next >= sectors_ || steps >= sectors_)
                return false;
            for (qint64 i = 0; i + 1 < idsPerSector() && listed.size() < fatSectors; ++i)
                listed.push_back(u32(offset(next) + 4 * i));
            next = u32(offset(next) + 4 * (idsPerSector() - 1));
        }
        for (quint32 sector : listed)
            if (sector >= sectors_)
                return false;
        fat_ = idsIn(listed);
        return true;
    }

    bool loadMiniStream()
    {
        const quint32 firstMiniFat = u32(0x3C);
        if (firstMiniFat != kEndOfChain) {
            const auto sectors = chain(fat_, firstMiniFat, sectors_);
            if (!sectors)
                return false;
            miniFat_ = idsIn(*sectors);
        }
        const Entry &root = entries_.front();
        const auto sectors = chain(fat_, root.start, sectors_);
        if (!sectors || (sectors->size() << shift_) < root.size)
            return false;
        miniStream_ = *sectors;
        return true;
    }

    Entry entryAt(qint64 at) const
    {
        Entry entry;
        const int nameBytes = qMin<int>(u16(at + 0x40), 64);
        for (int i = 0; i + 2 < nameBytes; i += 2)
            entry.name += QChar(u16(at + i));
        entry.type = quint8(bytes_.at(at + 0x42));
        entry.left = u32(at + 0x44);
        entry.right = u32(at + 0x48);
        entry.child = u32(at + 0x4C);
        entry.start = u32(at + 0x74);
        // Files of 512-byte sectors may hold garbage in the upper half of the size.
        entry.size = shift_ == 9 ? u32(at + 0x78) : qFromLittleEndian<quint64>(bytes_.constData() + at + 0x78);
        return entry;
    }

    const QByteArray &bytes_;
    int shift_ = 9;
    quint32 sectors_ = 0;
    quint32 miniCutoff_ = 4096;
    std::vector<quint32> fat_;
    std::vector<quint32> miniFat_;
    std::vector<quint32> miniStream_;
    std::vector<Entry> entries_;
};

quint16 u16(const QByteArray &bytes, qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }

// BIFF8: a workbook-globals BOF record first; a FILEPASS record straight after it encrypts the rest.
FormatVerdict workbookVerdict(const CompoundFile &file)
{
    const CompoundFile::Entry *stream = file.rootChild(QStringLiteral("Workbook"));
    if (!stream || stream->type != kStreamEntry)
        return FormatVerdict::Foreign;
    const QByteArray head = file.head(*stream);
    if (head.size() < 12 || u16(head, 0) != 0x0809 || u16(head, 4) != 0x0600 || u16(head, 6) != 0x0005)
        return FormatVerdict::Foreign;
    const qsizetype next = 4 + u16(head, 2);
    return next + 2 <= head.size() && u16(head, next) == 0x002F ? FormatVerdict::PasswordProtected
                                                                 : FormatVerdict::Whole;
}

// Word 97: the FIB opens the WordDocument stream; its flags tell encryption and which table stream.
FormatVerdict documentVerdict(const CompoundFile &file)
{
    const CompoundFile::Entry *stream = file.rootChild(QStringLiteral("WordDocument"));
    if (!stream || stream->type != kStreamEntry)
        return FormatVerdict::Foreign;
    const QByteArray head = file.head(*stream);
    if (head.size() < 12 || u16(head, 0) != 0xA5EC)
        return FormatVerdict::Foreign;
    const quint16 flags = u16(head, 0x0A);
    if (flags & 0x0100)
        return FormatVerdict::PasswordProtected;
    const QString table = flags & 0x0200 ? QStringLiteral("1Table") : QStringLiteral("0Table");
    return file.rootChild(table) ? FormatVerdict::Whole : FormatVerdict::Damaged;
}

} // namespace

FormatVerdict inspectFormat(const QString &path, OfficeFormat format)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FormatVerdict::Unreadable;
    // Mapped, not read: a large file that is not ours costs nothing to refuse.
    const qint64 size = file.size();
    const uchar *mapped = size > 0 ? file.map(0, size) : nullptr;
    const QByteArray bytes = mapped ? QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), size)
                                    : file.readAll();
    CompoundFile compound(bytes);
    if (!compound.hasSignature())
        return FormatVerdict::Foreign;
    if (!compound.load() || !compound.streamsWhole())
        return FormatVerdict::Damaged;
    // Office 2007 and later keep a password-protected file in this wrapper, whatever its name says.
    if (compound.rootChild(QStringLiteral("EncryptedPackage")))
        return FormatVerdict::PasswordProtected;
    return format == OfficeFormat::Excel97Workbook ? workbookVerdict(compound) : documentVerdict(compound);
}

QString formatCause(OfficeFormat format, FormatVerdict verdict)
{
    const bool workbook = format == OfficeFormat::Excel97Workbook;
    switch (verdict) {
    case FormatVerdict::Whole:
        return {};
    case FormatVerdict::Foreign:
        return workbook ? QStringLiteral("它不是 Excel 97-2003 工作簿（.xls），可能已损坏或被换成了别的文件。"
                                         "请换上一份完好的 .xls 文件（可在 Excel 或 LibreOffice 中另存为“Excel 97-2003 工作簿”）。")
                        : QStringLiteral("它不是 Word 97-2003 文档（.doc），可能已损坏或被换成了别的文件。"
                                         "请换上一份完好的 .doc 文件（可在 Word 或 LibreOffice 中另存为“Word 97-2003 文档”）。");
    case FormatVerdict::Damaged:
        return QStringLiteral("文件已损坏（内部结构不完整，可能没有完整写入）。请换上一份完好的文件。");
    case FormatVerdict::PasswordProtected:
        return workbook ? QStringLiteral("文件设有打开密码，本软件无法使用。请在 Excel 或 LibreOffice 中取消密码后再试。")
                        : QStringLiteral("文件设有打开密码，本软件无法使用。请在 Word 或 LibreOffice 中取消密码后再试。");
    case FormatVerdict::Unreadable:
        return QStringLiteral("没有读取它的权限。请检查文件权限后再试。");
    }
    return {};
}

} // namespace office

#pragma once

#include <QString>

#include <stdexcept>

namespace office {

// Every failure of the office engine, worded for the teacher.
class OfficeError : public std::runtime_error
{
public:
    explicit OfficeError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};

// What the teacher can do about a missing office; the technical detail follows, never leads.
inline QString officeMissingMessage(const QString &detail)
{
    return QStringLiteral("未找到 LibreOffice，导出、打印和名单导入都需要它，本次操作没有改动任何文件。\n"
                          "请安装 Debian 软件包 libreoffice-calc 和 libreoffice-writer"
                          "（sudo apt install libreoffice-calc libreoffice-writer），然后重试。\n（%1）")
        .arg(detail);
}

} // namespace office

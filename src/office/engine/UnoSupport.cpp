#include "office/engine/UnoSupport.h"

#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <QFileInfo>
#include <QUrl>

namespace office::uno {

using css::uno::Reference;
using css::uno::UNO_QUERY;

rtl::OUString toOUString(const QString &text)
{
    return rtl::OUString(reinterpret_cast<const sal_Unicode *>(text.utf16()),
                         static_cast<sal_Int32>(text.size()));
}

QString toQString(const rtl::OUString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getStr()), text.getLength());
}

rtl::OUString fileUrl(const QString &path)
{
    return toOUString(
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded));
}

css::beans::PropertyValue property(const char *name, const css::uno::Any &value)
{
    css::beans::PropertyValue result;
    result.Name = rtl::OUString::createFromAscii(name);
    result.Value = value;
    return result;
}

css::uno::Sequence<css::beans::PropertyValue>
properties(std::initializer_list<css::beans::PropertyValue> list)
{
    return css::uno::Sequence<css::beans::PropertyValue>(
        list.begin(), static_cast<sal_Int32>(list.size()));
}

void rethrow(const css::uno::Exception &error)
{
    const QString message = toQString(error.Message);
    const QString advice = QStringLiteral("LibreOffice 处理文件时出错。请确认文件没有被其他程序打开、不是只读、磁盘没有写满，然后重试。");
    throw OfficeError(message.isEmpty() ? advice : QStringLiteral("%1\n（LibreOffice：%2）").arg(advice, message));
}

LoadedDocument::LoadedDocument(const Reference<css::frame::XDesktop2> &loader,
                               const QString &path)
    : m_path(path)
{
    if (!QFileInfo(path).isFile())
        throw OfficeError(QStringLiteral("找不到文件：%1").arg(path));
    const auto arguments = properties({property("Hidden", css::uno::Any(true))});
    guarded([&] {
        m_component = loader->loadComponentFromURL(fileUrl(path), rtl::OUString::createFromAscii("_blank"), 0,
                                                   arguments);
    });
    if (!m_component.is())
        throw OfficeError(QStringLiteral("无法打开文件：%1").arg(path));
}

// The SDK's Reference has no move outside LibreOffice itself: copy, then let go of the other.
LoadedDocument::LoadedDocument(LoadedDocument &&other) noexcept
    : m_component(other.m_component), m_path(std::move(other.m_path))
{
    other.m_component.clear();
}

LoadedDocument &LoadedDocument::operator=(LoadedDocument &&other) noexcept
{
    if (this != &other) {
        close();
        m_component = other.m_component;
        other.m_component.clear();
        m_path = std::move(other.m_path);
    }
    return *this;
}

LoadedDocument::~LoadedDocument()
{
    close();
}

void LoadedDocument::close() noexcept
{
    if (!m_component.is())
        return;
    try {
        Reference<css::util::XCloseable> closeable(m_component, UNO_QUERY);
        if (closeable.is())
            closeable->close(true);
        else
            m_component->dispose();
    } catch (const css::uno::Exception &) {
        // The office may already be gone; the session's shutdown ends the document with it.
    }
    m_component.clear();
}

} // namespace office::uno

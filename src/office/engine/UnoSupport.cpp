#include "office/engine/UnoSupport.h"

#include "office/FileProblems.h"

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
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

rtl::OUString filterName(OfficeFormat format)
{
    return rtl::OUString::createFromAscii(format == OfficeFormat::Excel97Workbook ? "MS Excel 97" : "MS Word 97");
}

void storeCopy(const Reference<css::lang::XComponent> &document, const QString &path, OfficeFormat format)
{
    try {
        Reference<css::frame::XStorable> storable(document, css::uno::UNO_QUERY_THROW);
        storable->storeToURL(fileUrl(path), properties({property("FilterName", css::uno::Any(filterName(format))),
                                                        property("Overwrite", css::uno::Any(true))}));
    } catch (const css::uno::Exception &error) {
        throw OfficeError(notWrittenText(path, QStringLiteral("LibreOffice：%1").arg(toQString(error.Message))));
    }
}

namespace {

QString notOpened(const QString &path, const QString &cause)
{
    return QStringLiteral("文件“%1”无法打开：%2").arg(shownPath(path), cause);
}

rtl::OUString detectedFilter(const Reference<css::lang::XComponent> &document)
{
    const Reference<css::frame::XModel> model(document, UNO_QUERY);
    if (!model.is())
        return {};
    const auto arguments = model->getArgs();
    for (const auto &argument : arguments) {
        rtl::OUString name;
        if (argument.Name == "FilterName" && (argument.Value >>= name))
            return name;
    }
    return {};
}

} // namespace

LoadedDocument::LoadedDocument(const Reference<css::frame::XDesktop2> &loader, const QString &path,
                               OfficeFormat format)
    : m_path(path)
{
    const QFileInfo file(path);
    if (file.isDir())
        throw OfficeError(folderNotFileText(path));
    if (!file.isFile())
        throw OfficeError(missingFileText(path));
    if (const FormatVerdict verdict = inspectFormat(path, format); verdict != FormatVerdict::Whole)
        throw OfficeError(notOpened(path, formatCause(format, verdict)));
    const QString unreadable = QStringLiteral("LibreOffice 无法读取它，文件可能已损坏。请换上一份完好的文件后再试。");
    try {
        m_component = loader->loadComponentFromURL(
            fileUrl(path), rtl::OUString::createFromAscii("_blank"), 0,
            properties({property("Hidden", css::uno::Any(true)), property("FilterName", css::uno::Any(filterName(format)))}));
    } catch (const css::uno::Exception &error) {
        throw OfficeError(QStringLiteral("%1\n（LibreOffice：%2）").arg(notOpened(path, unreadable), toQString(error.Message)));
    }
    if (!m_component.is())
        throw OfficeError(notOpened(path, unreadable));
    // The office may still have taken another filter than the one asked for.
    if (guarded([&] { return detectedFilter(m_component); }) != filterName(format)) {
        close();
        throw OfficeError(notOpened(path, formatCause(format, FormatVerdict::Foreign)));
    }
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

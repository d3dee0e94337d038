#pragma once

// Conversions and guards shared by the office sources; never included outside src/office.

#include "office/FileFormat.h"
#include "office/OfficeError.h"
#include "office/engine/OfficeSession.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <rtl/ustring.hxx>

#include <QString>

#include <utility>

namespace css = com::sun::star;

namespace office {

struct OfficeSession::Desktop
{
    css::uno::Reference<css::frame::XDesktop2> desktop;
};

} // namespace office

namespace office::uno {

rtl::OUString toOUString(const QString &text);
QString toQString(const rtl::OUString &text);
rtl::OUString fileUrl(const QString &path);
css::beans::PropertyValue property(const char *name, const css::uno::Any &value);
css::uno::Sequence<css::beans::PropertyValue>
properties(std::initializer_list<css::beans::PropertyValue> list);

[[noreturn]] void rethrow(const css::uno::Exception &error);

// Runs work and turns any UNO exception into an OfficeError with its message.
template <typename Work>
decltype(auto) guarded(Work &&work)
{
    try {
        return std::forward<Work>(work)();
    } catch (const css::uno::Exception &error) {
        rethrow(error);
    }
}

// The office's own name of the filter that reads and writes format.
rtl::OUString filterName(OfficeFormat format);

// Stores a copy of document at path in format; a failure names path and its likely cause.
void storeCopy(const css::uno::Reference<css::lang::XComponent> &document, const QString &path,
               OfficeFormat format);

// A document loaded hidden into the session; closed, without saving, when this goes away.
class LoadedDocument
{
public:
    LoadedDocument() = default;
    // Loads only a whole file of format, and only through that format's filter, so that a
    // damaged file is refused rather than taken for text and converted.
    LoadedDocument(const css::uno::Reference<css::frame::XDesktop2> &loader, const QString &path,
                   OfficeFormat format);
    LoadedDocument(LoadedDocument &&other) noexcept;
    LoadedDocument &operator=(LoadedDocument &&other) noexcept;
    ~LoadedDocument();

    const css::uno::Reference<css::lang::XComponent> &component() const { return m_component; }
    const QString &path() const { return m_path; }
    void close() noexcept;

private:
    css::uno::Reference<css::lang::XComponent> m_component;
    QString m_path;
};

} // namespace office::uno

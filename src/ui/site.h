#pragma once

#include <QString>
#include <QUrl>

namespace tallowin::ui {

// The maker's web site: https://tallowin.example unless TALLOWIN_SITE names another base.
QUrl siteBaseUrl();

// An address on the maker's web site from its page path ("/products/errorreport.asp").
QUrl siteUrl(const QString &path);

// How long any request to the web site may take before it is given up.
inline constexpr int SiteTimeoutMs = 5000;

} // namespace tallowin::ui

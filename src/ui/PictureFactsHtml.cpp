#include "ui/PictureFactsHtml.h"

#include "picture/FilePicture.h"
#include "ui/NuvQtText.h"

namespace kelvane {
namespace {

constexpr std::size_t kListedSongs = 12;

void AddRow(QString& html, const char* key, const QString& value) {
    html += QStringLiteral("<tr><td valign=\"top\"><b>%1</b></td><td>%2</td></tr>")
                .arg(Tr(key).toHtmlEscaped(), value);
}

QString SectionList(const PictureFacts& facts) {
    if (facts.sections.empty()) {
        return Tr("none");
    }
    QStringList names;
    for (const SectionEntry& section : facts.sections) {
        names << ToQt(section.name).toHtmlEscaped();
    }
    return names.join(QStringLiteral(", "));
}

QString FinderSongList(const PictureFacts& facts) {
    if (facts.songs.empty()) {
        return Tr("none");
    }
    QString text = QString::number(facts.songs.size());
    for (std::size_t i = 0; i < facts.songs.size() && i < kListedSongs; ++i) {
        text += QStringLiteral("<br>") + ToQt(facts.songs[i].title).toHtmlEscaped();
    }
    if (facts.songs.size() > kListedSongs) {
        text += QStringLiteral("<br>…");
    }
    return text;
}

}  // namespace

QString PictureFactsHtml(const FilePicture& picture) {
    const PictureFacts& facts = picture.facts;
    if (!facts.analysed) {
        return {};
    }
    QString html = QStringLiteral("<table cellspacing=\"2\">");
    AddRow(html, "Tempo", Tr("%1 BPM").arg(facts.tempoBpm));
    AddRow(html, "Time signature", ToQt(facts.timeSignature).toHtmlEscaped());
    if (picture.kind == PictureKind::kStyle) {
        AddRow(html, "Sections", SectionList(facts));
        AddRow(html, "Music Finder songs", FinderSongList(facts));
    } else {
        AddRow(html, "Length",
               QStringLiteral("%1:%2")
                   .arg(facts.lengthMinutes)
                   .arg(facts.lengthSeconds, 2, 10, QLatin1Char('0')));
        AddRow(html, "Lyrics", Tr(facts.karaoke ? "Karaoke" : facts.lyrics ? "yes" : "no"));
    }
    const bool none = facts.problems.empty() || facts.problems == "-";
    AddRow(html, "Problems found", none ? Tr("none") : ToQt(facts.problems).toHtmlEscaped());
    html += QStringLiteral("</table>");
    return html;
}

}  // namespace kelvane

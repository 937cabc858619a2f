#include "shell/KeyReference.h"

#include "perspective/PerspectiveKeys.h"
#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "shell/CommandTable.h"
#include "shell/Editor.h"
#include "views/tools/ToolMode.h"

namespace kvx {
namespace {

using namespace platform;

// "SPM1/Deplacer.../Homothétie" and "XYZ" as "Deplacer... > Homothétie > XYZ" (the popup's own
// name, first, is not shown), in language.
std::string MenuPlace(Language language, const CommandRow& row) {
    std::string path = row.menu;
    if (row.source != CommandSource::Frame) {
        const std::size_t slash = path.find('/');
        path = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    }
    std::string place;
    for (std::size_t start = 0; start < path.size();) {
        const std::size_t slash = path.find('/', start);
        place += InLanguage(language, path.substr(start, slash - start)) + " > ";
        start = slash == std::string::npos ? path.size() : slash + 1;
    }
    return place + CommandLabel(language, row);
}

std::string ToolText(Language language, ToolMode mode) {
    const ToolButtons b = ToolHelp(mode);
    const auto in = [language](const char* french) { return InLanguage(language, french); };
    std::string text = in(ToolName(mode)) + Pick(language, " : ", ": ") + in(b.left);
    if (*b.ctrlClick) text += Pick(language, " ; Ctrl+clic : ", "; Ctrl+click: ") + in(b.ctrlClick);
    return text + Pick(language, " ; bouton droit : ", "; right button: ") + in(b.right);
}

std::string ToolChoice(Language language, ToolMode mode) {
    const std::string name = InLanguage(language, ToolName(mode));
    return language == Language::English ? name + " tool" : "outil " + name;
}

ReferenceSection Section(Language language, const char* frenchTitle) {
    return ReferenceSection{InLanguage(language, frenchTitle), {}};
}

ReferenceSection ToolSection(Language language) {
    ReferenceSection s = Section(language, "Outils des vues à plat");
    for (const ToolMode mode : AllToolModes) {
        ReferenceLine line{"", ToolText(language, mode), static_cast<int>(IdleCursor(mode))};
        for (const CommandRow& row : CommandTable()) {
            if (row.tool != mode) continue;
            const std::string place = MenuPlace(language, row);
            line.keys = row.key ? KeyName(row.key, language) + ", " + place : place;
        }
        s.lines.push_back(std::move(line));
    }
    return s;
}

ReferenceSection FlatKeySection(Language language) {
    ReferenceSection s = Section(language, "Touches des vues à plat");
    for (const CommandRow& row : CommandTable()) {
        if (row.source != CommandSource::FlatView || row.key == 0) continue;
        s.lines.push_back({KeyName(row.key, language),
                           row.tool ? ToolChoice(language, *row.tool)
                                    : InLanguage(language, row.help ? row.help : "")});
    }
    return s;
}

ReferenceSection PerspectiveSection(Language language) {
    ReferenceSection s = Section(language,
                                 "Touches de la vue Perspective (le layer courant, ou tous avec "
                                 "\"Tous les layers\")");
    for (const PerspectiveKeyRow& row : PerspectiveKeys())
        s.lines.push_back(
            {(row.alt ? "Alt+" : "") + KeyName(row.key, language), InLanguage(language, row.help)});
    return s;
}

ReferenceSection MouseAndFrameSection(Language language) {
    ReferenceSection s = Section(language, "Souris et raccourcis");
    const auto in = [language](const char* french) { return InLanguage(language, french); };
    s.lines = {
        {in("Bouton droit (vue à plat)"), in("menu des outils et des commandes")},
        {in("Bouton droit (Perspective)"), in("menu des lumières et de l'image")},
        {in("Ctrl+clic"), in("avec les outils de sélection : ajoute ou retire")},
        {in("Molette (vue à plat)"), in("zoom autour du point sous le pointeur")},
        {in("Bouton du milieu (vue à plat)"), in("glisser : déplace la vue")},
        {in("Glisser, bouton gauche ou du milieu (Perspective)"),
         in("tourne la caméra autour du modèle")},
        {in("Maj+glisser (Perspective)"), in("fait glisser la caméra")},
        {in("Molette (Perspective)"), in("rapproche ou éloigne la caméra")},
        {in("Clic sur le titre"), in("rend la vue active (ses touches agissent)")},
        {KeyName(VK_ESCAPE, language) + Pick(language, " (fenêtre principale)", " (main window)"),
         in("quitte Kolvex")}};
    for (const CommandRow& row : CommandTable()) {
        if (row.shortcut)
            s.lines.push_back({std::string(row.shortcut) +
                                   (row.otherShortcut ? ", " + std::string(row.otherShortcut) : ""),
                               MenuPlace(language, row)});
    }
    return s;
}

ReferenceSection PopupSection(Language language) {
    ReferenceSection s = Section(language, "Menu des vues à plat (bouton droit)");
    for (const CommandRow& row : CommandTable()) {
        if (row.source != CommandSource::FlatView || !row.InMenu() || row.tool) continue;
        s.lines.push_back(
            {MenuPlace(language, row), InLanguage(language, row.help ? row.help : "")});
    }
    return s;
}

void AppendEscaped(std::string& out, const std::string& text) {
    for (const char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            default:
                out += c;
        }
    }
}

}  // namespace

std::string KeyName(std::uint32_t key, Language language) {
    return InLanguage(language, KeyName(key));
}

std::string KeyName(std::uint32_t key) {
    switch (key) {
        case VK_TAB:
            return "Tab";
        case VK_SPACE:
            return "Espace";
        case VK_OEM_7:
            return "' (apostrophe)";
        case VK_ESCAPE:
            return "Échap";
        case VK_PRIOR:
            return "Page Up";
        case VK_NEXT:
            return "Page Down";
        case VK_HOME:
            return "Home";
        case VK_END:
            return "End";
        case VK_INSERT:
            return "Insert";
        case VK_DELETE:
            return "Delete";
        case VK_LEFT:
            return "Flèche gauche";
        case VK_RIGHT:
            return "Flèche droite";
        case VK_UP:
            return "Flèche haut";
        case VK_DOWN:
            return "Flèche bas";
        case VK_ADD:
            return "+ (pavé numérique)";
        case VK_SUBTRACT:
            return "- (pavé numérique)";
        default:
            return key >= 'A' && key <= 'Z' ? std::string(1, static_cast<char>(key))
                                            : "touche " + std::to_string(key);
    }
}

std::vector<ReferenceSection> KeyReference(Language language) {
    return {ToolSection(language), FlatKeySection(language), PopupSection(language),
            PerspectiveSection(language), MouseAndFrameSection(language)};
}

void ShowKeyReference(Editor& editor) {
    editor.windows.ShowReference(InLanguage(editor.language, ReferenceTitle),
                                 ReferenceHtml(KeyReference(editor.language)));
}

void RefreshKeyReference(Editor& editor) {
    editor.windows.UpdateReference(InLanguage(editor.language, ReferenceTitle),
                                   ReferenceHtml(KeyReference(editor.language)));
}

std::string ReferenceHtml(const std::vector<ReferenceSection>& sections) {
    std::string html = "<html><body>";
    for (const ReferenceSection& s : sections) {
        html += "<h3>";
        AppendEscaped(html, s.title);
        html += "</h3><table cellspacing=\"2\" cellpadding=\"3\">";
        for (const ReferenceLine& line : s.lines) {
            html += "<tr><td>";
            if (line.cursor >= 0)
                html += "<img src=\"cursor:" + std::to_string(line.cursor) + "\">";
            html += "</td><td><b>";
            AppendEscaped(html, line.keys);
            html += "</b></td><td>";
            AppendEscaped(html, line.text);
            html += "</td></tr>";
        }
        html += "</table>";
    }
    return html + "</body></html>";
}

std::string ReferenceMarkdown(const std::vector<ReferenceSection>& sections) {
    std::string md;
    for (const ReferenceSection& s : sections) {
        md += "#### " + s.title + "\n\n| Touche, bouton ou menu | Effet |\n|---|---|\n";
        for (const ReferenceLine& line : s.lines) {
            std::string keys = line.keys, text = line.text;
            for (std::string* t : {&keys, &text}) {
                for (std::size_t p = t->find('|'); p != std::string::npos; p = t->find('|', p + 2))
                    t->replace(p, 1, "\\|");
            }
            md += "| " + keys + " | " + text + " |\n";
        }
        md += "\n";
    }
    return md;
}

}  // namespace kvx

#include "resources/Menus.h"

#include "resources/CommandIds.h"

namespace kvx::resources {
namespace {

using platform::Menu;
using platform::MenuItem;

MenuItem Item(const char* text, std::uint32_t id) {
    return MenuItem::Command(text, id);
}

MenuItem Item(const char* text, std::uint32_t id, std::vector<std::string> shortcuts) {
    return MenuItem::Command(text, id, std::move(shortcuts));
}

Menu BuildMenu1() {
    std::vector<MenuItem> layers;
    for (std::uint32_t n = 0; n <= cmd::Layer9 - cmd::Layer0; ++n) {
        layers.push_back(Item(std::to_string(n).c_str(), cmd::Layer0 + n));
    }
    Menu menu{
        "MENU1",
        {
            MenuItem::Popup(
                "Fichier",
                {Item("Nouveau", cmd::Nouveau, {"Ctrl+N"}),
                 Item("Enregistrer...", cmd::Enregistrer),
                 Item("Ouvrir...", cmd::Ouvrir, {"Ctrl+O"}), Item("Importer...", cmd::Importer),
                 Item("Reset", cmd::Reset), Item("Quitter", cmd::Quitter, {"Ctrl+Q"}),
                 MenuItem::Separator(), Item("Exporter OBJ...", cmd::ExporterObj),
                 Item("Importer OBJ...", cmd::ImporterObj), MenuItem::Separator(),
                 Item("Enregistrer", cmd::EnregistrerFichier, {"Ctrl+S"}), MenuItem::Separator()}),
            MenuItem::Popup("Edition",
                            {Item("Copier", cmd::Copier), Item("Suprimer", cmd::Suprimer),
                             Item("Inverser la sélection", cmd::InverserSelection),
                             Item("Sélectionner les faces", cmd::SelectionnerFaces),
                             Item("Sélectionner les vertex", cmd::SelectionnerVertex, {"Ctrl+A"}),
                             MenuItem::Separator(), Item("Annuler", cmd::Annuler, {"Ctrl+Z"}),
                             Item("Rétablir", cmd::Retablir, {"Ctrl+Y", "Ctrl+Shift+Z"})}),
            MenuItem::Popup(
                "Affichage",
                {Item("Axe de la souris", cmd::AxeSouris), Item("Regles", cmd::Regles),
                 Item("Grille", cmd::Grille), Item("Grille Magnetique", cmd::GrilleMagnetique),
                 Item("Tous les layers", cmd::TousLesLayers),
                 Item("Vecteurs Normaux", cmd::VecteursNormaux), Item("Lumieres", cmd::Lumieres),
                 Item("Position de la souris", cmd::PositionSouris)}),
            MenuItem::Popup("Vues",
                            {Item("Dessus", cmd::VueDessus), Item("Bas", cmd::VueBas),
                             Item("Droite", cmd::VueDroite), Item("Gauche", cmd::VueGauche),
                             Item("Devant", cmd::VueDevant), Item("Derrière", cmd::VueDerriere),
                             Item("Perspective", cmd::VuePerspective)}),
            MenuItem::Popup("Layer", std::move(layers)),
            MenuItem::Popup("Creations", {Item("Face", cmd::CreerFace)}),
            MenuItem::Popup("Shape", {Item("Mesh", cmd::Mesh)}),
            MenuItem::Popup("Action", {Item("Stop", cmd::Stop), Item("Start", cmd::Start)}),
            MenuItem::Popup("Fenetre",
                            {Item("Aligner", cmd::Aligner), Item("Deplacement", cmd::Deplacement)}),
            MenuItem::Popup("?", {Item("About", cmd::About)}),
        }};
    // The recent files, last of "Fichier": their texts are given while the editor runs.
    for (std::uint32_t n = 0; n < cmd::RecentFileCount; ++n)
        menu.popups.front().items.push_back(Item("", cmd::RecentFile0 + n));
    return menu;
}

Menu BuildSubMenu1() {
    return Menu{
        "SUBMENU1",
        {MenuItem::Popup(
            "SPM1",
            {
                MenuItem::Popup("Selection...",
                                {Item("Vertex", cmd::SelectVertex), Item("Face", cmd::SelectFace),
                                 Item("Fence", cmd::SelectFence), MenuItem::Separator(),
                                 Item("Face des vertex", cmd::FacesOfVertices),
                                 Item("Vertex des faces", cmd::VerticesOfFaces)}),
                MenuItem::Popup("Creer...",
                                {Item("Vertex", cmd::CreateVertex), Item("Face", cmd::CreateFace)}),
                MenuItem::Popup(
                    "Deplacer...",
                    {Item("Déplacer XY", cmd::MoveXY), Item("Déplacer X", cmd::MoveX),
                     Item("Déplacer Y", cmd::MoveY), Item("Déplacer Z", cmd::MoveZ),
                     MenuItem::Separator(), Item("Rotation", cmd::Rotate),
                     MenuItem::Popup("Homothétie",
                                     {Item("XYZ", cmd::ScaleXYZ), Item("XY", cmd::ScaleXY),
                                      Item("X", cmd::ScaleX), Item("Y", cmd::ScaleY)}),
                     Item("Mirroir", cmd::Mirror)}),
                MenuItem::Popup("Zoom...",
                                {Item("Loupe", cmd::ZoomLoupe), Item("Normal", cmd::ZoomNormal),
                                 Item("Deplacement", cmd::ZoomPan), Item("Out", cmd::ZoomOut)}),
                MenuItem::Popup("Affichage",
                                {Item("Afficher les vertex", cmd::ShowVertices),
                                 Item("Cacher les vertex", cmd::HideVertices),
                                 MenuItem::Separator(), Item("Afficher les faces", cmd::ShowFaces),
                                 Item("Cacher les faces", cmd::HideFaces)}),
                MenuItem::Separator(),
                MenuItem::Popup(
                    "Edition",
                    {MenuItem::Popup("Render Type", {Item("Flat", cmd::RenderFlat),
                                                     Item("Smooth", cmd::RenderSmooth)}),
                     Item("Inverser", cmd::FlipFaces), Item("Couleur...", cmd::FaceColour)}),
                MenuItem::Popup("Perspective", {Item("Lumiere", cmd::PlaceLight)}),
                Item("Fermer le Menu", cmd::CloseMenu),
            })}};
}

Menu BuildSubMenu2() {
    return Menu{
        "SUBMENU2",
        {MenuItem::Popup(
            "SPM2",
            {
                MenuItem::Popup("Point Light", {Item("Editer...", cmd::PointLightEdit),
                                                Item("Couleur...", cmd::PointLightColour),
                                                Item("Désactiver", cmd::PointLightOff)}),
                MenuItem::Popup("Directionnal Light", {Item("Couleur...", cmd::DirectionalColour),
                                                       Item("Désactiver", cmd::DirectionalOff)}),
                MenuItem::Popup("Ambient Light", {Item("Couleur...", cmd::AmbientColour),
                                                  Item("Désactiver", cmd::AmbientOff)}),
                MenuItem::Popup("Background", {Item("Couleur...", cmd::BackgroundColour)}),
                Item("Sauvegarder...", cmd::SaveImage),
            })}};
}

}  // namespace

const Menu& Menu1() {
    static const Menu menu = BuildMenu1();
    return menu;
}

const Menu& SubMenu1() {
    static const Menu menu = BuildSubMenu1();
    return menu;
}

const Menu& SubMenu2() {
    static const Menu menu = BuildSubMenu2();
    return menu;
}

const Menu* LoadMenuResource(std::string_view name) {
    for (const Menu* menu : {&Menu1(), &SubMenu1(), &SubMenu2()}) {
        if (menu->name == name) return menu;
    }
    return nullptr;
}

}  // namespace kvx::resources

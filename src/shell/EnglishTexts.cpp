#include "shell/EnglishTexts.h"

#include <map>

#include "resources/CommandIds.h"

namespace kvx {
namespace {

struct CommandText {
    std::uint32_t id;
    const char* english;
};

// Every command of the three menus but the layers' (their digits) and the recent files' (their
// names, given while the editor runs).
constexpr CommandText CommandTexts[] = {
    // "Fichier"
    {cmd::Nouveau, "New"},
    {cmd::Enregistrer, "Save As..."},
    {cmd::Ouvrir, "Open..."},
    {cmd::Importer, "Import..."},
    {cmd::Reset, "Reset"},
    {cmd::Quitter, "Quit"},
    {cmd::ExporterObj, "Export OBJ..."},
    {cmd::ImporterObj, "Import OBJ..."},
    {cmd::Exporter, "Export..."},
    {cmd::ImporterModele, "Import Model..."},
    {cmd::EnregistrerFichier, "Save"},
    // "Edition"
    {cmd::Copier, "Copy"},
    {cmd::Suprimer, "Delete"},
    {cmd::InverserSelection, "Invert Selection"},
    {cmd::SelectionnerFaces, "Select All Faces"},
    {cmd::SelectionnerVertex, "Select All Vertices"},
    {cmd::Annuler, "Undo"},
    {cmd::Retablir, "Redo"},
    // "Affichage"
    {cmd::AxeSouris, "Mouse Axes"},
    {cmd::Regles, "Rulers"},
    {cmd::Grille, "Grid"},
    {cmd::GrilleMagnetique, "Snap to Grid"},
    {cmd::TousLesLayers, "All Layers"},
    {cmd::VecteursNormaux, "Normal Vectors"},
    {cmd::Lumieres, "Lights"},
    {cmd::PositionSouris, "Mouse Position"},
    // "Vues"
    {cmd::VueDessus, "Top"},
    {cmd::VueBas, "Bottom"},
    {cmd::VueDroite, "Right"},
    {cmd::VueGauche, "Left"},
    {cmd::VueDevant, "Front"},
    {cmd::VueDerriere, "Back"},
    {cmd::VuePerspective, "Perspective"},
    // "Creations", "Shape", "Action", "Fenetre", "?"
    {cmd::CreerFace, "Face"},
    {cmd::Mesh, "Mesh"},
    {cmd::Stop, "Stop"},
    {cmd::Start, "Start"},
    {cmd::Aligner, "Align Views"},
    {cmd::Deplacement, "Movable Views"},
    {cmd::About, "About"},
    {cmd::Aide, "Help..."},
    {cmd::English, "English"},
    {cmd::Francais, "Français"},
    // The flat views' popup.
    {cmd::SelectVertex, "Vertex"},
    {cmd::SelectFace, "Face"},
    {cmd::SelectFence, "Fence"},
    {cmd::FacesOfVertices, "Faces of Vertices"},
    {cmd::VerticesOfFaces, "Vertices of Faces"},
    {cmd::CreateVertex, "Vertex"},
    {cmd::CreateFace, "Face"},
    {cmd::MoveXY, "Move XY"},
    {cmd::MoveX, "Move X"},
    {cmd::MoveY, "Move Y"},
    {cmd::MoveZ, "Move Z"},
    {cmd::Rotate, "Rotate"},
    {cmd::ScaleXYZ, "XYZ"},
    {cmd::ScaleXY, "XY"},
    {cmd::ScaleX, "X"},
    {cmd::ScaleY, "Y"},
    {cmd::Mirror, "Mirror"},
    {cmd::ZoomLoupe, "Magnifier"},
    {cmd::ZoomNormal, "Normal"},
    {cmd::ZoomPan, "Pan"},
    {cmd::ZoomOut, "Out"},
    {cmd::CadrerTout, "Frame All"},
    {cmd::RetournerFaces, "Turn Faces Over"},
    {cmd::PositionVertex, "Vertex Position..."},
    {cmd::ShowVertices, "Show Vertices"},
    {cmd::HideVertices, "Hide Vertices"},
    {cmd::ShowFaces, "Show Faces"},
    {cmd::HideFaces, "Hide Faces"},
    {cmd::RenderFlat, "Flat"},
    {cmd::RenderSmooth, "Smooth"},
    {cmd::FlipFaces, "Add Reversed Copy"},
    {cmd::FaceColour, "Colour..."},
    {cmd::PlaceLight, "Light"},
    {cmd::CloseMenu, "Close Menu"},
    // The perspective view's popup.
    {cmd::PointLightEdit, "Edit..."},
    {cmd::PointLightColour, "Colour..."},
    {cmd::PointLightOff, "Turn Off"},
    {cmd::DirectionalColour, "Colour..."},
    {cmd::DirectionalOff, "Turn Off"},
    {cmd::AmbientColour, "Colour..."},
    {cmd::AmbientOff, "Turn Off"},
    {cmd::BackgroundColour, "Colour..."},
    {cmd::SaveImage, "Save Image..."},
};

struct Text {
    std::string_view french;
    const char* english;
};

constexpr Text Texts[] = {
    // The menus' popups.
    {"Fichier", "File"},
    {"Edition", "Edit"},
    {"Affichage", "Display"},
    {"Vues", "Views"},
    {"Layer", "Layer"},
    {"Creations", "Create"},
    {"Shape", "Shape"},
    {"Action", "Action"},
    {"Fenetre", "Window"},
    {"?", "?"},
    {"SPM1", "SPM1"},
    {"Selection...", "Select..."},
    {"Creer...", "Create..."},
    {"Deplacer...", "Move..."},
    {"Homothétie", "Scale"},
    {"Zoom...", "Zoom..."},
    {"Render Type", "Render Type"},
    {"Perspective", "Perspective"},
    {"SPM2", "SPM2"},
    {"Point Light", "Point Light"},
    {"Directionnal Light", "Directional Light"},
    {"Ambient Light", "Ambient Light"},
    {"Background", "Background"},
    // The dialogs.
    {"Dialog", "Colour"},
    {"OK", "OK"},
    {"Cancel", "Cancel"},
    {"Update", "Update"},
    {"Atténuation Linéaire:", "Linear attenuation:"},
    {"Atténuation Constante:", "Constant attenuation:"},
    {"Atténuation Quadratique:", "Quadratic attenuation:"},
    {"Position", "Position"},
    {"X:", "X:"},
    {"Y:", "Y:"},
    {"Z:", "Z:"},
    {"SX:", "SX:"},
    {"SY:", "SY:"},
    {"SZ:", "SZ:"},
    {"A propos de ....", "About ...."},
    {"ICON1", "ICON1"},
    {"Kolvex Editeur v1.0", "Kolvex Editor v1.0"},
    {"Commentaires:", "Comments:"},
    {"Version 1.0b de Kolvex editeur. Il est beaucoup plus complet que la version 0.1 mais la "
     "version 2.0 sera extremement plus performante. Donnez moi des nouvelles par E-Mail si vous "
     "appréciez mon editeur! ;)) ",
     "Version 1.0b of the Kolvex editor. It is far more complete than version 0.1, but version "
     "2.0 will perform far better still. Send me news by e-mail if you like my editor! ;)) "},
    {"Kolvex: un modeleur de polygones.", "Kolvex: a polygon modeller."},
    {"Editeur, rendu et formats: l'equipe Kolvex.",
     "Editor, rendering and formats: the Kolvex team."},
    {"Merci a tous ceux qui l'essaient.", "Thanks to everyone who tries it."},
    // Message boxes and their buttons.
    {"Kolvex v1.0", "Kolvex v1.0"},
    {"Attention...", "Warning..."},
    {"Attenntion...", "Warning..."},
    {"Oui", "Yes"},
    {"Non", "No"},
    {"Annuler", "Cancel"},
    {"Vous devez configurer votre bureau avec 16 ou 24bits de profondeurs de couleur.",
     "Your desktop must be set to 16 or 24 bits of colour depth."},
    {"Il est impossible de creer une face avec des vertex de diffrents layers...",
     "A face cannot be made of vertices from different layers..."},
    {"Impossible: la scene ne peut contenir plus de 4194304 vertex ni plus de 4194304 faces.",
     "Impossible: a scene cannot hold more than 4194304 vertices or more than 4194304 faces."},
    {"Erreur lors du chargement du Fichier!", "Error while loading the file!"},
    {"Erreur lors de la sauvegarde du Fichier!", "Error while saving the file!"},
    {"Erreur lors de la sauvegarde de l'image!", "Error while saving the image!"},
    {"Erreur lors de l'export du fichier OBJ!", "Error while exporting the OBJ file!"},
    {"Erreur lors de l'import du fichier OBJ:", "Error while importing the OBJ file:"},
    {"Fichier OBJ importé, avec ces remarques :", "OBJ file imported, with these remarks:"},
    {"Erreur lors de l'export du modèle!", "Error while exporting the model!"},
    {"Erreur lors de l'import du modèle:", "Error while importing the model:"},
    {"Modèle importé, avec ces remarques :", "Model imported, with these remarks:"},
    {"Export en cours...", "Exporting..."},
    {"Import en cours...", "Importing..."},
    {"Enregistrer les modifications ?", "Save the changes?"},
    {"Récupérer le travail non enregistré ?", "Recover the unsaved work?"},
    // File dialogs.
    {"Ouverture d'un fichier Kolvex...", "Open a Kolvex file..."},
    {"Sauvegarde d'un fichier Kolvex...", "Save a Kolvex file..."},
    {"Fichiers Kolvex", "Kolvex files"},
    {"Tous les fichiers", "All files"},
    {"Exporter au format OBJ", "Export as OBJ"},
    {"Importer un fichier OBJ", "Import an OBJ file"},
    {"Fichiers OBJ ", "OBJ files"},
    {"Exporter le modèle", "Export the model"},
    {"Importer un modèle", "Import a model"},
    {"Modèles", "Models"},
    {"Scène Kolvex", "Kolvex scene"},
    {"glTF 2.0 binaire (GLB)", "glTF 2.0 binary (GLB)"},
    {"glTF binaire (GLB)", "glTF binary (GLB)"},
    {"STL binaire", "binary STL"},
    {"STL texte", "text STL"},
    {"autres formats de modèles", "other model formats"},
    {"Sauvegarde de la vue perspective", "Save the perspective view"},
    {"Fichiers TARGA ", "TARGA files"},
    // The tools: names, and what the mouse buttons do.
    {"Creer vertex", "Create vertex"},
    {"Déplacer XY", "Move XY"},
    {"Déplacer X", "Move X"},
    {"Déplacer Y", "Move Y"},
    {"Déplacer Z", "Move Z"},
    {"Selection vertex", "Select vertex"},
    {"Selection face", "Select face"},
    {"Fence", "Fence"},
    {"Deplacement", "Pan"},
    {"Loupe", "Magnifier"},
    {"Rotation", "Rotate"},
    {"Homothétie XYZ", "Scale XYZ"},
    {"Homothétie XY", "Scale XY"},
    {"Homothétie X", "Scale X"},
    {"Homothétie Y", "Scale Y"},
    {"Mirroir", "Mirror"},
    {"menu des outils", "tools menu"},
    {"termine l'opération (sinon : menu des outils)", "ends the operation (otherwise: tools menu)"},
    {"clic : crée un vertex au point cliqué, dans le layer courant",
     "click: creates a vertex at the point clicked, in the current layer"},
    {"glisser : déplace la sélection dans le plan de la vue",
     "drag: moves the selection in the plane of the view"},
    {"glisser : déplace la sélection le long de l'axe horizontal de la vue",
     "drag: moves the selection along the view's horizontal axis"},
    {"glisser : déplace la sélection le long de l'axe vertical de la vue",
     "drag: moves the selection along the view's vertical axis"},
    {"glisser verticalement : déplace la sélection en profondeur",
     "drag up or down: moves the selection in depth"},
    {"clic : sélectionne le vertex le plus proche", "click: selects the nearest vertex"},
    {"ajoute ou retire ce vertex", "adds or removes this vertex"},
    {"clic : sélectionne la face sous le pointeur", "click: selects the face under the pointer"},
    {"ajoute ou retire cette face", "adds or removes this face"},
    {"glisser : sélectionne ou désélectionne les vertex du rectangle",
     "drag: selects or deselects the vertices in the rectangle"},
    {"glisser : fait glisser la vue", "drag: slides the view"},
    {"glisser : agrandit le rectangle tracé à toute la vue",
     "drag: enlarges the rectangle drawn to the whole view"},
    {"glisser verticalement : tourne la sélection autour du point de départ",
     "drag up or down: turns the selection about the starting point"},
    {"glisser verticalement : agrandit ou réduit la sélection sur les trois axes",
     "drag up or down: enlarges or shrinks the selection on all three axes"},
    {"glisser verticalement : agrandit ou réduit la sélection dans le plan de la vue",
     "drag up or down: enlarges or shrinks the selection in the plane of the view"},
    {"glisser verticalement : agrandit ou réduit la sélection à l'horizontale",
     "drag up or down: enlarges or shrinks the selection horizontally"},
    {"glisser verticalement : agrandit ou réduit la sélection à la verticale",
     "drag up or down: enlarges or shrinks the selection vertically"},
    {"glisser : trace la ligne du miroir ; la sélection s'y reflète au relâcher",
     "drag: draws the mirror's line; the selection is reflected in it on release"},
    // The flat views' keys.
    {"crée une face des vertex sélectionnés, dans l'ordre de sélection",
     "makes a face of the selected vertices, in the order they were selected"},
    {"cache les vertex sélectionnés", "hides the selected vertices"},
    {"affiche toutes les faces", "shows every face"},
    {"cache les faces sélectionnées", "hides the selected faces"},
    {"affiche tous les vertex", "shows every vertex"},
    {"outil de déplacement suivant (XY, X, Y, Z)", "next move tool (XY, X, Y, Z)"},
    {"outil de sélection suivant (vertex, face, fence)",
     "next selection tool (vertex, face, fence)"},
    {"déplace la sélection de 0,1 vers la gauche de la vue",
     "moves the selection 0.1 towards the view's left"},
    {"déplace la sélection de 0,1 vers le haut de la vue",
     "moves the selection 0.1 towards the view's top"},
    {"déplace la sélection de 0,1 vers la droite de la vue",
     "moves the selection 0.1 towards the view's right"},
    {"déplace la sélection de 0,1 vers le bas de la vue",
     "moves the selection 0.1 towards the view's bottom"},
    {"cadre tout le modèle dans toutes les vues ; la caméra reprend sa direction de départ",
     "frames the whole model in every view; the camera takes its starting direction again"},
    {"Modèle hors des vues ou minuscule : F (Cadrer tout)",
     "Model outside the views or tiny: F (Frame All)"},
    {"retourne les faces sélectionnées sur place : la vue Perspective montre leur autre côté",
     "turns the selected faces over in place: the Perspective view shows their other side"},
    {"position tapée du vertex sélectionné, ou déplacement, rotation et échelle tapés des "
     "vertex sélectionnés",
     "typed position of the selected vertex, or typed move, turn and scale of the selected "
     "vertices"},
    // "Position des vertex...".
    {"Position des vertex", "Vertex Position"},
    {"Déplacer de", "Move by"},
    {"Tourner (degrés)", "Turn (degrees)"},
    {"Échelle", "Scale"},
    {"Sélectionnez d'abord un ou plusieurs vertex.", "Select one or more vertices first."},
    {"Impossible : un vertex sortirait des coordonnées possibles (3.4e38). Rien n'a changé.",
     "Impossible: a vertex would leave the possible coordinates (3.4e38). Nothing changed."},
    // The perspective view's keys.
    {"remet le layer à sa place de départ", "puts the layer back where it started"},
    // The key reference.
    {"Aide - touches et outils", "Help - keys and tools"},
    {"Outils des vues à plat", "Tools of the flat views"},
    {"Touches des vues à plat", "Keys of the flat views"},
    {"Menu des vues à plat (bouton droit)", "Menu of the flat views (right button)"},
    {"Touches de la vue Perspective (le layer courant, ou tous avec \"Tous les layers\")",
     "Keys of the Perspective view (the current layer, or every layer with \"All Layers\")"},
    {"Souris et raccourcis", "Mouse and shortcuts"},
    {"Bouton droit (vue à plat)", "Right button (flat view)"},
    {"menu des outils et des commandes", "menu of the tools and commands"},
    {"Bouton droit (Perspective)", "Right button (Perspective)"},
    {"menu des lumières et de l'image", "menu of the lights and the picture"},
    {"Ctrl+clic", "Ctrl+click"},
    {"avec les outils de sélection : ajoute ou retire",
     "with the selection tools: adds or removes"},
    {"Molette (vue à plat)", "Wheel (flat view)"},
    {"zoom autour du point sous le pointeur", "zooms about the point under the pointer"},
    {"Bouton du milieu (vue à plat)", "Middle button (flat view)"},
    {"glisser : déplace la vue", "drag: moves the view"},
    {"Glisser, bouton gauche ou du milieu (Perspective)",
     "Drag, left or middle button (Perspective)"},
    {"tourne la caméra autour du modèle", "turns the camera about the model"},
    {"Maj+glisser (Perspective)", "Shift+drag (Perspective)"},
    {"fait glisser la caméra", "slides the camera"},
    {"Molette (Perspective)", "Wheel (Perspective)"},
    {"rapproche ou éloigne la caméra", "moves the camera nearer or farther"},
    {"Clic sur le titre", "Click on the title"},
    {"rend la vue active (ses touches agissent)", "makes the view active (its keys act)"},
    {"quitte Kolvex", "quits Kolvex"},
    {"Espace", "Space"},
    {"' (apostrophe)", "' (quote)"},
    {"Échap", "Esc"},
    {"Flèche gauche", "Left arrow"},
    {"Flèche droite", "Right arrow"},
    {"Flèche haut", "Up arrow"},
    {"Flèche bas", "Down arrow"},
    {"+ (pavé numérique)", "+ (keypad)"},
    {"- (pavé numérique)", "- (keypad)"},
};

// Texts with parts: names and numbers, taken over as they are.
constexpr Wording Wordings[] = {
    {"The file {} no longer exists: it is removed from the recent files.",
     "Le fichier {} n'existe plus : il est retiré des fichiers récents."},
    {"Kolvex opens one file at a time: none of the {} files given was opened.",
     "Kolvex ouvre un seul fichier à la fois : aucun des {} fichiers donnés n'a été ouvert."},
    {"Kolvex opens one scene at a time: none of the {} files dropped was opened.",
     "Kolvex ouvre une seule scène à la fois : aucun des {} fichiers déposés n'a été ouvert."},
    {"The file goes on after its last record: {} byte ignored.",
     "Le fichier continue après son dernier enregistrement : {} octet ignoré."},
    {"The file goes on after its last record: {} bytes ignored.",
     "Le fichier continue après son dernier enregistrement : {} octets ignorés."},
    {"moves the layer one unit along {}", "déplace le layer d'une unité en {}"},
    {"turns the layer {}° about {}", "tourne le layer de {}° autour de {}"},
    {"spins the layer on itself ({})", "fait pivoter le layer sur lui-même ({})"},
    {"key {}", "touche {}"},
    {"Value refused ({}, {}): the box is empty.", "Valeur refusée ({}, {}) : la case est vide."},
    {"Value refused ({}, {}): \"{}\" is not a number.",
     "Valeur refusée ({}, {}) : \"{}\" n'est pas un nombre."},
    {"Value refused ({}, {}): \"{}\" is beyond the largest possible coordinate (3.4e38).",
     "Valeur refusée ({}, {}) : \"{}\" dépasse la plus grande coordonnée possible (3.4e38)."},
};

}  // namespace

const char* EnglishCommandText(std::uint32_t id) {
    static constexpr const char* LayerDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    if (id >= cmd::Layer0 && id <= cmd::Layer9) return LayerDigits[id - cmd::Layer0];
    for (const CommandText& c : CommandTexts)
        if (c.id == id) return c.english;
    return nullptr;
}

const char* EnglishText(std::string_view french) {
    static const std::map<std::string_view, const char*> byFrench = [] {
        std::map<std::string_view, const char*> m;
        for (const Text& t : Texts)
            m.emplace(t.french, t.english);
        return m;
    }();
    const auto it = byFrench.find(french);
    return it == byFrench.end() ? nullptr : it->second;
}

std::span<const Wording> EnglishWordings() {
    return Wordings;
}

}  // namespace kvx

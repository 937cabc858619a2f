#pragma once
// Command identifiers of the menus "MENU1", "SUBMENU1" and "SUBMENU2" (the command rows,
// shell/CommandTable.h, give each its text, keys and handler).

#include <cstdint>

namespace kvx::cmd {

// "Fichier"
inline constexpr std::uint32_t Nouveau = 40045;
inline constexpr std::uint32_t Enregistrer = 40046;
inline constexpr std::uint32_t Ouvrir = 40047;
inline constexpr std::uint32_t Importer = 40073;
inline constexpr std::uint32_t Reset = 40105;
inline constexpr std::uint32_t Quitter = 40001;
// "Edition"
inline constexpr std::uint32_t Copier = 40041;
inline constexpr std::uint32_t Suprimer = 40044;
inline constexpr std::uint32_t InverserSelection = 40043;
inline constexpr std::uint32_t SelectionnerFaces = 40052;
inline constexpr std::uint32_t SelectionnerVertex = 40053;
// "Affichage"
inline constexpr std::uint32_t AxeSouris = 40036;
inline constexpr std::uint32_t Regles = 40037;
inline constexpr std::uint32_t Grille = 40058;
inline constexpr std::uint32_t GrilleMagnetique = 40060;
inline constexpr std::uint32_t TousLesLayers = 40101;
inline constexpr std::uint32_t VecteursNormaux = 40108;
inline constexpr std::uint32_t Lumieres = 40113;
inline constexpr std::uint32_t PositionSouris = 40038;
// "Vues"
inline constexpr std::uint32_t VueDessus = 40002;
inline constexpr std::uint32_t VueBas = 40003;
inline constexpr std::uint32_t VueDroite = 40004;
inline constexpr std::uint32_t VueGauche = 40005;
inline constexpr std::uint32_t VueDevant = 40006;
inline constexpr std::uint32_t VueDerriere = 40007;
inline constexpr std::uint32_t VuePerspective = 40022;
// "Layer": "0" .. "9" are Layer0 + n.
inline constexpr std::uint32_t Layer0 = 40091;
inline constexpr std::uint32_t Layer9 = 40100;
// "Creations", "Shape", "Action", "Fenetre", "?"
inline constexpr std::uint32_t CreerFace = 40009;
inline constexpr std::uint32_t Mesh = 40039;
inline constexpr std::uint32_t Stop = 40030;
inline constexpr std::uint32_t Start = 40031;
inline constexpr std::uint32_t Aligner = 40056;
inline constexpr std::uint32_t Deplacement = 40057;
inline constexpr std::uint32_t About = 40040;

// Added after the items above: undo and redo, OBJ interchange.
inline constexpr std::uint32_t Annuler = 40201;
inline constexpr std::uint32_t Retablir = 40202;
inline constexpr std::uint32_t ExporterObj = 40203;
inline constexpr std::uint32_t ImporterObj = 40204;
// "Enregistrer": saves to the scene's own file without a dialog (asks for a name when it has none).
inline constexpr std::uint32_t EnregistrerFichier = 40205;
// The recent files of "Fichier", newest first.
inline constexpr std::uint32_t RecentFile0 = 40206;
inline constexpr std::uint32_t RecentFileCount = 8;
// "?" > "Aide...": the key and tool reference.
inline constexpr std::uint32_t Aide = 40214;
// "Cadrer tout", in the flat views' "Zoom..." and in the perspective view's popup.
inline constexpr std::uint32_t CadrerTout = 40215;
// "Retourner les faces", in the flat views' "Edition".
inline constexpr std::uint32_t RetournerFaces = 40216;
// "Position des vertex...", in the flat views' "Edition".
inline constexpr std::uint32_t PositionVertex = 40217;
// "?" > "English" and "Français": the language of the menus, dialogs and messages.
inline constexpr std::uint32_t English = 40230;
inline constexpr std::uint32_t Francais = 40231;
// "Exporter..." and "Importer un modèle...": every model format of the registry.
inline constexpr std::uint32_t Exporter = 40240;
inline constexpr std::uint32_t ImporterModele = 40241;

// The orthographic views' popup "SUBMENU1".
inline constexpr std::uint32_t SelectVertex = 40019;
inline constexpr std::uint32_t SelectFace = 40032;
inline constexpr std::uint32_t SelectFence = 40033;
inline constexpr std::uint32_t FacesOfVertices = 40054;
inline constexpr std::uint32_t VerticesOfFaces = 40055;
inline constexpr std::uint32_t CreateVertex = 40020;
inline constexpr std::uint32_t CreateFace = 40018;
inline constexpr std::uint32_t MoveXY = 40012;
inline constexpr std::uint32_t MoveX = 40013;
inline constexpr std::uint32_t MoveY = 40014;
inline constexpr std::uint32_t MoveZ = 40015;
inline constexpr std::uint32_t Rotate = 40119;
inline constexpr std::uint32_t ScaleXYZ = 40121;
inline constexpr std::uint32_t ScaleXY = 40122;
inline constexpr std::uint32_t ScaleX = 40125;
inline constexpr std::uint32_t ScaleY = 40124;
inline constexpr std::uint32_t Mirror = 40127;
inline constexpr std::uint32_t ZoomLoupe = 40049;
inline constexpr std::uint32_t ZoomNormal = 40050;
inline constexpr std::uint32_t ZoomPan = 40051;
inline constexpr std::uint32_t ZoomOut = 40059;
inline constexpr std::uint32_t ShowVertices = 40035;
inline constexpr std::uint32_t HideVertices = 40034;
inline constexpr std::uint32_t ShowFaces = 40062;
inline constexpr std::uint32_t HideFaces = 40061;
inline constexpr std::uint32_t RenderFlat = 40106;
inline constexpr std::uint32_t RenderSmooth = 40107;
inline constexpr std::uint32_t FlipFaces = 40103;
inline constexpr std::uint32_t FaceColour = 40102;
inline constexpr std::uint32_t PlaceLight = 40104;
inline constexpr std::uint32_t CloseMenu = 40021;

// The perspective view's popup "SUBMENU2".
inline constexpr std::uint32_t PointLightEdit = 40109;
inline constexpr std::uint32_t PointLightColour = 40110;
inline constexpr std::uint32_t PointLightOff = 40118;
inline constexpr std::uint32_t DirectionalColour = 40111;
inline constexpr std::uint32_t DirectionalOff = 40117;
inline constexpr std::uint32_t AmbientColour = 40112;
inline constexpr std::uint32_t AmbientOff = 40116;
inline constexpr std::uint32_t BackgroundColour = 40115;
inline constexpr std::uint32_t SaveImage = 40126;

}  // namespace kvx::cmd

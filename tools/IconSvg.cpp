// Writes the program's icon "ICON1" as a scalable picture (SVG) for the desktop's icon theme:
//   kolvex_icon_svg OUT.svg
// Each pixel of the 16 x 16 picture is a square: '#' black, 'o' blue, '.' transparent, as the
// editor's window icon shows it.

#include <cstdio>

#include "resources/Icon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kolvex_icon_svg OUT.svg\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out,
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"48\" "
                 "viewBox=\"0 0 16 16\" shape-rendering=\"crispEdges\">\n");
    const auto& rows = kvx::resources::Icon1;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            if (c == '.') continue;
            std::fprintf(out,
                         "  <rect x=\"%zu\" y=\"%zu\" width=\"1\" height=\"1\" fill=\"%s\"/>\n", x,
                         y, c == '#' ? "#000000" : "#0000ff");
        }
    }
    std::fprintf(out, "</svg>\n");
    return std::fclose(out) == 0 ? 0 : 1;
}

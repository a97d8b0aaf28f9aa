// Block letters extruded from convex outlines, and the box lattice of the title flight.
#include "tools/artgen/title_meshes.h"

#include <map>
#include <vector>

namespace artgen {

namespace {

// Letters are designed on a grid of 5 x 8 units (I is 3 wide), y up; strokes are 1.4 units.
struct Outline {
    std::vector<std::pair<float, float>> corners;  // convex, either direction
};
struct LetterShape {
    float width;
    std::vector<Outline> pieces;
};

constexpr float GRID_HEIGHT = 8.0f;
constexpr float LETTER_GAP = 1.0f;

// Lettering under the title's light: the faces carry their own glow (emissive), since nothing
// lights a face turned to the camera when the light points straight down; tops catch the light.
const XMaterial TITLE_FACE{0.55f, 0.42f, 0.10f, 1.0f, 0.0f, 0, 0, 0, 0.82f, 0.62f, 0.14f};
const XMaterial TITLE_SIDE{0.60f, 0.45f, 0.12f, 1.0f, 0.0f, 0, 0, 0, 0.40f, 0.26f, 0.05f};
// The lattice is drawn as wireframe with ambient taken from diffuse: a cool teal.
const XMaterial LATTICE{0.10f, 0.42f, 0.52f, 1.0f, 0.0f, 0, 0, 0, 0, 0, 0};

Outline Box(float left, float bottom, float right, float top) {
    return {{{left, bottom}, {right, bottom}, {right, top}, {left, top}}};
}

// Trapezoids between matching edges of an outer and an inner outline: a band of stroke.
void Ring(std::vector<Outline>& pieces, const std::vector<std::pair<float, float>>& outer,
          const std::vector<std::pair<float, float>>& inner, const std::vector<int>& edges) {
    for (int edge : edges) {
        const size_t next = (static_cast<size_t>(edge) + 1) % outer.size();
        pieces.push_back({{outer[edge], outer[next], inner[next], inner[edge]}});
    }
}

const std::vector<std::pair<float, float>> ROUND_OUTER{{1.5f, 0}, {3.5f, 0}, {5, 1.5f}, {5, 6.5f},
                                                       {3.5f, 8}, {1.5f, 8}, {0, 6.5f}, {0, 1.5f}};
const std::vector<std::pair<float, float>> ROUND_INNER{{2.0f, 1.4f}, {3.0f, 1.4f}, {3.6f, 2.0f},
                                                       {3.6f, 6.0f}, {3.0f, 6.6f}, {2.0f, 6.6f},
                                                       {1.4f, 6.0f}, {1.4f, 2.0f}};

LetterShape Letter(char letter) {
    LetterShape shape{5.0f, {}};
    switch (letter) {
        case 'G':
            Ring(shape.pieces, ROUND_OUTER, ROUND_INNER, {0, 1, 3, 4, 5, 6, 7});
            shape.pieces.push_back(Box(3.6f, 1.5f, 5.0f, 4.4f));
            shape.pieces.push_back(Box(2.6f, 3.0f, 5.0f, 4.4f));
            break;
        case 'O':
            Ring(shape.pieces, ROUND_OUTER, ROUND_INNER, {0, 1, 2, 3, 4, 5, 6, 7});
            break;
        case 'R':
            shape.pieces.push_back(Box(0, 0, 1.4f, 8));
            Ring(shape.pieces, {{0, 8}, {3.8f, 8}, {5, 6.8f}, {5, 4.8f}, {3.8f, 3.6f}, {0, 3.6f}},
                 {{1.4f, 6.6f},
                  {3.3f, 6.6f},
                  {3.6f, 6.3f},
                  {3.6f, 5.3f},
                  {3.3f, 5.0f},
                  {1.4f, 5.0f}},
                 {0, 1, 2, 3, 4});
            shape.pieces.push_back({{{2.0f, 3.6f}, {3.5f, 3.6f}, {5, 0}, {3.5f, 0}}});
            break;
        case 'V':
            shape.pieces.push_back({{{0, 8}, {1.5f, 8}, {3.2f, 0}, {1.8f, 0}}});
            shape.pieces.push_back({{{3.5f, 8}, {5, 8}, {3.2f, 0}, {1.8f, 0}}});
            break;
        case 'A':
            shape.pieces.push_back({{{1.8f, 8}, {3.2f, 8}, {1.4f, 0}, {0, 0}}});
            shape.pieces.push_back({{{1.8f, 8}, {3.2f, 8}, {5, 0}, {3.6f, 0}}});
            shape.pieces.push_back(Box(1.2f, 2.0f, 3.8f, 3.3f));
            break;
        case 'N':
            shape.pieces.push_back(Box(0, 0, 1.4f, 8));
            shape.pieces.push_back(Box(3.6f, 0, 5, 8));
            shape.pieces.push_back({{{0, 8}, {1.6f, 8}, {5, 0}, {3.4f, 0}}});
            break;
        case 'T':
            shape.pieces.push_back(Box(0, 6.6f, 5, 8));
            shape.pieces.push_back(Box(1.8f, 0, 3.2f, 8));
            break;
        case 'I':
            shape.width = 3.0f;
            shape.pieces.push_back(Box(0, 6.8f, 3, 8));
            shape.pieces.push_back(Box(0, 0, 3, 1.2f));
            shape.pieces.push_back(Box(0.8f, 0, 2.2f, 8));
            break;
        default:
            break;
    }
    return shape;
}

// A convex outline made solid: a face on each side of the slab and a side wall per edge.
void Extrude(MeshBuilder& mesh, const std::vector<Vec3>& corners, float depth) {
    const Vec3 front{0, 0, -depth / 2};
    const Vec3 back{0, 0, depth / 2};
    Vec3 centre{0, 0, 0};
    for (const Vec3& corner : corners) {
        centre = centre + corner * (1.0f / static_cast<float>(corners.size()));
    }
    for (size_t i = 1; i + 1 < corners.size(); ++i) {
        for (const Vec3& side : {front, back}) {
            mesh.AddTriangle({corners[0] + side}, {corners[i] + side}, {corners[i + 1] + side},
                             Normalised(side), 0);
        }
    }
    for (size_t i = 0; i < corners.size(); ++i) {
        const Vec3& a = corners[i];
        const Vec3& b = corners[(i + 1) % corners.size()];
        const Vec3 edge = b - a;
        Vec3 outward{edge.y, -edge.x, 0};
        if (Dot(outward, a - centre) < 0) {
            outward = outward * -1.0f;
        }
        mesh.AddQuad({a + front}, {b + front}, {b + back}, {a + back}, outward, 1);
    }
}

}  // namespace

MeshBuilder BuildTitleMesh() {
    MeshBuilder mesh;
    mesh.AddMaterial(TITLE_FACE);
    mesh.AddMaterial(TITLE_SIDE);
    std::vector<LetterShape> letters;
    float gridWidth = 0;
    for (const char* letter = TITLE_WORD; *letter != '\0'; ++letter) {
        letters.push_back(Letter(*letter));
        gridWidth += letters.back().width + (letter == TITLE_WORD ? 0.0f : LETTER_GAP);
    }
    const float scale = TITLE_WIDTH / gridWidth;
    float penX = -gridWidth / 2;
    for (const LetterShape& letter : letters) {
        for (const Outline& piece : letter.pieces) {
            std::vector<Vec3> corners;
            for (const auto& [x, y] : piece.corners) {
                corners.push_back({(penX + x) * scale, (y - GRID_HEIGHT / 2) * scale, 0});
            }
            Extrude(mesh, corners, TITLE_DEPTH);
        }
        penX += letter.width + LETTER_GAP;
    }
    return mesh;
}

MeshBuilder BuildLatticeMesh() {
    MeshBuilder mesh;
    mesh.AddMaterial(LATTICE);
    const float half = LATTICE_BOX_SIDE / 2;
    const float halfHeight = LATTICE_BOX_HEIGHT / 2;
    const int rows = static_cast<int>((LATTICE_FAR_Z - LATTICE_NEAR_Z) / LATTICE_PITCH);
    const int columns = static_cast<int>(2 * LATTICE_HALF_WIDTH / LATTICE_PITCH);
    for (int row = 0; row <= rows; ++row) {
        const float z = LATTICE_NEAR_Z + static_cast<float>(row) * LATTICE_PITCH;
        for (int column = 0; column <= columns; ++column) {
            const float x = -LATTICE_HALF_WIDTH + static_cast<float>(column) * LATTICE_PITCH;
            // eight shared corners per box: the lattice is drawn as lines, so corner normals
            // suffice and the file stays small
            uint32_t corner[2][2][2];
            for (int i = 0; i < 2; ++i) {
                for (int j = 0; j < 2; ++j) {
                    for (int k = 0; k < 2; ++k) {
                        const Vec3 direction{i ? 1.0f : -1.0f, j ? 1.0f : -1.0f, k ? 1.0f : -1.0f};
                        corner[i][j][k] =
                            mesh.AddVertex({{x + direction.x * half, direction.y * halfHeight,
                                             z + direction.z * half},
                                            Normalised(direction)});
                    }
                }
            }
            auto face = [&](uint32_t a, uint32_t b, uint32_t c, uint32_t d, const Vec3& outward) {
                mesh.AddIndexedTriangle(a, b, c, outward);
                mesh.AddIndexedTriangle(a, c, d, outward);
            };
            face(corner[0][1][0], corner[1][1][0], corner[1][1][1], corner[0][1][1], {0, 1, 0});
            face(corner[0][0][0], corner[1][0][0], corner[1][0][1], corner[0][0][1], {0, -1, 0});
            face(corner[0][0][0], corner[0][1][0], corner[0][1][1], corner[0][0][1], {-1, 0, 0});
            face(corner[1][0][0], corner[1][1][0], corner[1][1][1], corner[1][0][1], {1, 0, 0});
            face(corner[0][0][0], corner[1][0][0], corner[1][1][0], corner[0][1][0], {0, 0, -1});
            face(corner[0][0][1], corner[1][0][1], corner[1][1][1], corner[0][1][1], {0, 0, 1});
        }
    }
    return mesh;
}

}  // namespace artgen

// Writes DirectX text X files: fixed six-decimal numbers, so the output never varies.
#include "tools/artgen/x_writer.h"

#include <cstdio>

namespace artgen {

namespace {

std::string Number(float value) {
    char text[32];
    // adding 0 turns -0 into 0, so no "-0.000000" appears
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value) + 0.0);
    const std::string written = text;
    return written == "-0.000000" ? "0.000000" : written;
}

std::string Separator(size_t index, size_t count) {
    return index + 1 < count ? ",\n" : ";\n";
}

void Vectors(std::string& out, const std::vector<Vertex>& vertices, bool normals) {
    out += "  " + std::to_string(vertices.size()) + ";\n";
    for (size_t i = 0; i < vertices.size(); ++i) {
        const Vec3& v = normals ? vertices[i].normal : vertices[i].position;
        out += "  " + Number(v.x) + ";" + Number(v.y) + ";" + Number(v.z) + ";" +
               Separator(i, vertices.size());
    }
}

void Faces(std::string& out, const std::vector<Triangle>& triangles) {
    out += "  " + std::to_string(triangles.size()) + ";\n";
    for (size_t i = 0; i < triangles.size(); ++i) {
        const Triangle& t = triangles[i];
        out += "  3;" + std::to_string(t.a) + "," + std::to_string(t.b) + "," +
               std::to_string(t.c) + ";" + Separator(i, triangles.size());
    }
}

}  // namespace

std::string EncodeXFile(const MeshBuilder& mesh, const std::string& name, bool textured) {
    std::string out = "xof 0303txt 0032\n\n";
    out += "Mesh " + name + " {\n";
    Vectors(out, mesh.Vertices(), false);
    Faces(out, mesh.Triangles());

    out += "\n  MeshNormals {\n";
    Vectors(out, mesh.Vertices(), true);
    Faces(out, mesh.Triangles());  // one normal per vertex, so normal indices are vertex indices
    out += "  }\n";

    if (textured) {
        out += "\n  MeshTextureCoords {\n";
        out += "  " + std::to_string(mesh.Vertices().size()) + ";\n";
        for (size_t i = 0; i < mesh.Vertices().size(); ++i) {
            out += "  " + Number(mesh.Vertices()[i].u) + ";" + Number(mesh.Vertices()[i].v) + ";" +
                   Separator(i, mesh.Vertices().size());
        }
        out += "  }\n";
    }

    out += "\n  MeshMaterialList {\n";
    out += "  " + std::to_string(mesh.Materials().size()) + ";\n";
    out += "  " + std::to_string(mesh.Triangles().size()) + ";\n";
    for (size_t i = 0; i < mesh.Triangles().size(); ++i) {
        out += "  " + std::to_string(mesh.Triangles()[i].material) +
               Separator(i, mesh.Triangles().size());
    }
    for (const XMaterial& m : mesh.Materials()) {
        out += "\n  Material {\n";
        out += "   " + Number(m.red) + ";" + Number(m.green) + ";" + Number(m.blue) + ";" +
               Number(m.alpha) + ";;\n";
        out += "   " + Number(m.power) + ";\n";
        out += "   " + Number(m.specularRed) + ";" + Number(m.specularGreen) + ";" +
               Number(m.specularBlue) + ";;\n";
        out += "   " + Number(m.emissiveRed) + ";" + Number(m.emissiveGreen) + ";" +
               Number(m.emissiveBlue) + ";;\n";
        out += "  }\n";
    }
    out += "  }\n";
    out += "}\n";
    return out;
}

}  // namespace artgen

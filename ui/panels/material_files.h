#pragma once

// The material panel's work on files: turning chosen images into the workspace's square PNG
// textures, copying OBJ models, and deleting, copying out, mirroring and rotating a material's
// workspace file. Every file is written whole or not at all (a temporary file renamed over the
// target), so a failure never leaves half a texture behind.

#include "model/material.h"
#include "platform/result.h"

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

namespace vintrel {

enum class ImportKind { Image, Model, Other };

// What a file is by its extension, in any case: ".png", ".bmp", ".jpg" or ".jpeg" an image,
// ".obj" a model, anything else neither.
ImportKind importKindOf(const std::filesystem::path& file);

// A file ready to go into the workspace under `fileName` (a square PNG texture or a model).
struct ImportItem {
    std::string fileName;
    std::string bytes;
};

// The chosen files after reading them; nothing is written yet. Files of other kinds are ignored.
struct PreparedImport {
    std::vector<ImportItem> items;
    std::vector<std::string> unreadable;   // file names that could not be read as what they claim to be
    std::vector<std::string> unusableName; // names a project package cannot store (a comma, ...)
    std::vector<std::string> otherType;    // neither an image nor a model, by their extension
};

// Reads every image and model among `files`: an image becomes a square PNG (see squareImage)
// named after the file with ".png"; a model is taken as it is and named after the file with
// ".obj". A later file of the same material name replaces an earlier one.
PreparedImport prepareImport(const std::vector<std::filesystem::path>& files);

// Writes the prepared files into `workspace`, replacing files of the same name. Returns the
// names of those that could not be written.
std::vector<std::string> writeImport(const std::filesystem::path& workspace, const PreparedImport& prepared);

// A transparent square whose side is the larger of the image's width and height, with the image
// drawn unchanged in its middle (rounded towards the top left).
QImage squareImage(const QImage& image);

// Whether a project package can carry `fileName` as an entry name and it is free for a material.
bool isStorableFileName(const std::string& fileName);

// Whether the material's workspace file can be used: an image whose size can be read for a
// texture, a file that can be opened for a model.
bool isUsableMaterialFile(const std::filesystem::path& workspace, const Material& material);

Status deleteMaterialFile(const std::filesystem::path& workspace, const Material& material);

// Copies the material's workspace file to `target`.
Status copyMaterialFile(const std::filesystem::path& workspace, const Material& material,
                        const std::filesystem::path& target);

enum class TextureTransform { MirrorLeftRight, MirrorTopBottom, RotateClockwise };

// Mirrors or turns the texture PNG `file` and saves it over itself.
Status transformTextureFile(const std::filesystem::path& file, TextureTransform transform);

} // namespace vintrel

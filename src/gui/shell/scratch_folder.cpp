// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/shell/scratch_folder.h"

#include <QDir>
#include <filesystem>
#include <fstream>

#include "gui/product.h"

namespace tw::gui {

ScratchFolder::ScratchFolder() = default;

ScratchFolder::~ScratchFolder() = default;

std::string ScratchFolder::newPath(const std::string& name) {
    if (!dir_) {
        dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QLatin1Char('/') +
                                               productName().toLower() + QStringLiteral("-XXXXXX"));
        if (!dir_->isValid()) {
            dir_.reset();
            return {};
        }
    }
    const std::filesystem::path folder =
        std::filesystem::path(dir_->path().toStdString()) / std::to_string(++count_);
    std::error_code error;
    if (!std::filesystem::create_directory(folder, error))
        return {};
    return (folder / name).string();
}

std::string ScratchFolder::write(const std::string& name, const std::string& content) {
    const std::string path = newPath(name);
    if (path.empty())
        return {};
    bool written = false;
    {
        std::ofstream out(path, std::ios::binary);
        written = static_cast<bool>(
            out.write(content.data(), static_cast<std::streamsize>(content.size())));
        out.close();
        written = written && !out.fail();
    }
    if (!written) {
        std::error_code error;
        std::filesystem::remove(path, error);
        return {};
    }
    return path;
}

}  // namespace tw::gui

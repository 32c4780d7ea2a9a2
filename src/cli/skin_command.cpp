// pictavo-cli skin list | extract | pack: the icons of a skin file as a table,
// as picture files with a manifest, and back.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/document_input.h"
#include "cli/file_set.h"
#include "cli/skin_manifest.h"
#include "core/documents/skin_budget.h"
#include "core/formats/picture_file.h"
#include "core/formats/skin_file.h"
#include "core/model/skin.h"

namespace pictavo::cli {

namespace {

// The file names of the sub-icons of icon `position`: "0x0A-2.ptv" for its
// second sub-icon; a later icon with the same ID adds its position
// ("0x0A.3-1.ptv") so no file is written twice.
std::vector<std::string> SubIconFileNames(const Skin& skin, int position) {
  const TSkinIcon& icon = skin.At(position);
  std::string stem = IconLabel(icon);
  for (int earlier = 0; earlier < position; ++earlier) {
    if ((skin.At(earlier).IconID & 0xFF) == (icon.IconID & 0xFF)) {
      stem += "." + std::to_string(position + 1);
      break;
    }
  }
  std::vector<std::string> names;
  for (int s = 0; s < icon.SubIcons; ++s)
    names.push_back(stem + "-" + std::to_string(s + 1) + ".ptv");
  return names;
}

PictureCells SubIconCells(const TSkinIcon& icon, int sub_icon) {
  PictureCells cells;
  for (int y = 0; y < icon.Height; ++y) {
    for (int x = 0; x < icon.Width; ++x) {
      cells.At(x + 1, y + 1) = ToPixelCode(icon.Data[icon.DataIndex(sub_icon, x, y)]);
    }
  }
  return cells;
}

}  // namespace

int RunSkinList(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Write JSON."));
  parser.addOption(json);
  parser.addPositionalArgument(QStringLiteral("skin"), QStringLiteral("A skin file."),
                               QStringLiteral("SKIN.skin"));
  if (auto done = ParseCommandLine(parser, arguments, QStringLiteral("skin list"),
                                   QStringLiteral("pictavo-cli skin list SKIN.skin [--json]"),
                                   QStringLiteral("Lists the icons of a skin.")))
    return *done;
  if (parser.positionalArguments().size() != 1) {
    return UsageError(QStringLiteral("skin list"), QStringLiteral("give exactly one skin file"));
  }
  const QString path = parser.positionalArguments().front();
  const std::optional<LoadedSkin> loaded = LoadSkin(path);
  if (!loaded) return ExitRefused;
  const Skin& skin = loaded->skin;
  // Counted as the window's stream budget counts it.
  const SkinBudget budget = BudgetOf(skin, -1);
  const std::size_t stream = budget.stream_bytes;

  QByteArray out;
  if (parser.isSet(json)) {
    QJsonArray icons;
    for (int i = 0; i < skin.Count(); ++i) {
      const TSkinIcon& icon = skin.At(i);
      icons.append(QJsonObject{{"position", i + 1},
                               {"id", QString::fromStdString(IconLabel(icon))},
                               {"bpp", icon.BPP},
                               {"width", icon.Width},
                               {"height", icon.Height},
                               {"sub_icons", icon.SubIcons},
                               {"packed_bytes", static_cast<qint64>(PackedIconSize(icon))}});
    }
    const QJsonObject root{{"name", Latin1Text(loaded->name)},
                           {"icons", icons},
                           {"stream_bytes", static_cast<qint64>(stream)},
                           {"capacity", static_cast<qint64>(budget.capacity)},
                           {"file_bytes", static_cast<qint64>(loaded->file_size)}};
    out = QJsonDocument(root).toJson(QJsonDocument::Indented);
  } else {
    out += QByteArrayLiteral("position  ID    BPP  size     sub-icons  packed bytes\n");
    for (int i = 0; i < skin.Count(); ++i) {
      const TSkinIcon& icon = skin.At(i);
      char line[128];
      std::snprintf(line, sizeof line, "%8d  %s  %3d  %-7s  %9d  %12zu\n", i + 1,
                    IconLabel(icon).c_str(), icon.BPP,
                    (std::to_string(icon.Width) + " x " + std::to_string(icon.Height)).c_str(),
                    icon.SubIcons, PackedIconSize(icon));
      out += line;
    }
    out += QStringLiteral("stream: %1 of %2 bytes%3\nfile: %4 bytes\n")
               .arg(stream)
               .arg(budget.capacity)
               .arg(budget.Over() ? QStringLiteral(", over capacity") : QString())
               .arg(loaded->file_size)
               .toUtf8();
  }
  return WriteOutput(OutputTarget{}, std::string_view(out.constData(), out.size())) ? ExitOk
                                                                                    : ExitRefused;
}

int RunSkinExtract(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption out_dir(QStringLiteral("out-dir"),
                                   QStringLiteral("The folder for the pictures and the manifest."),
                                   QStringLiteral("folder"));
  parser.addOption(out_dir);
  parser.addPositionalArgument(QStringLiteral("skin"), QStringLiteral("A skin file."),
                               QStringLiteral("SKIN.skin"));
  if (auto done = ParseCommandLine(
          parser, arguments, QStringLiteral("skin extract"),
          QStringLiteral("pictavo-cli skin extract SKIN.skin --out-dir DIR"),
          QStringLiteral("Writes one picture file per sub-icon and manifest.txt, which "
                         "\"skin pack\" reads.")))
    return *done;
  if (parser.positionalArguments().size() != 1 || !parser.isSet(out_dir)) {
    return UsageError(QStringLiteral("skin extract"),
                      QStringLiteral("give one skin file and --out-dir"));
  }
  const QString path = parser.positionalArguments().front();
  const std::optional<LoadedSkin> loaded = LoadSkin(path);
  if (!loaded) return ExitRefused;
  const Skin& skin = loaded->skin;

  const std::filesystem::path folder = LocalPath(parser.value(out_dir));
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return Refuse(parser.value(out_dir), QString::fromLocal8Bit(error.message().c_str()));

  SkinManifest manifest{loaded->name, {}};
  std::vector<NamedFile> files;
  for (int i = 0; i < skin.Count(); ++i) {
    const TSkinIcon& icon = skin.At(i);
    ManifestIcon entry{icon.IconID & 0xFF, icon.BPP, SubIconFileNames(skin, i), 0};
    for (int s = 0; s < icon.SubIcons; ++s) {
      const std::string& file = entry.sub_icons[static_cast<std::size_t>(s)];
      const PictureCells cells = SubIconCells(icon, s);
      const std::vector<std::uint8_t> bytes = WritePictureFile(
          CodeGridView(cells, icon.Width, icon.Height), file.substr(0, file.size() - 4));
      files.push_back({file, std::string(bytes.begin(), bytes.end())});
    }
    manifest.icons.push_back(std::move(entry));
  }
  files.push_back({"manifest.txt", WriteSkinManifest(manifest)});
  return WriteFileSet(folder, files) ? ExitOk : ExitRefused;
}

int RunSkinPack(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                  QStringLiteral("The skin file to write."),
                                  QStringLiteral("file"));
  parser.addOption(output);
  parser.addPositionalArgument(QStringLiteral("manifest"),
                               QStringLiteral("A manifest, as \"skin extract\" writes it."),
                               QStringLiteral("MANIFEST"));
  if (auto done = ParseCommandLine(parser, arguments, QStringLiteral("skin pack"),
                                   QStringLiteral("pictavo-cli skin pack MANIFEST -o SKIN.skin"),
                                   QStringLiteral("Makes a skin file from a manifest and its "
                                                  "picture files.")))
    return *done;
  if (parser.positionalArguments().size() != 1 || !parser.isSet(output)) {
    return UsageError(QStringLiteral("skin pack"), QStringLiteral("give one manifest and -o"));
  }
  const QString path = parser.positionalArguments().front();
  const auto text = ReadLocalFile(path, MaxManifestBytes + 1);
  if (!text) return Refuse(path, CouldNotReadReason(text.error()));
  if (text->size() > MaxManifestBytes) {
    return Refuse(path,
                  QStringLiteral("the manifest is larger than %1 MiB").arg(MaxManifestBytes >> 20));
  }
  const auto manifest = ParseSkinManifest(
      std::string_view(reinterpret_cast<const char*>(text->data()), text->size()));
  if (!manifest) return Refuse(path, manifest.error().message);

  const std::filesystem::path base = LocalPath(path).parent_path();
  Skin skin;
  for (const ManifestIcon& entry : manifest->icons) {
    TSkinIcon icon;
    icon.IconID = entry.id;
    icon.BPP = entry.bpp;
    icon.SubIcons = static_cast<int>(entry.sub_icons.size());
    for (std::size_t s = 0; s < entry.sub_icons.size(); ++s) {
      const QString file = DisplayPath(base / std::filesystem::path(entry.sub_icons[s]));
      const std::optional<LoadedPicture> picture = LoadPicture(file);
      if (!picture) return ExitRefused;
      const Picture& p = picture->picture;
      if (s == 0) {
        icon.Width = p.Width;
        icon.Height = p.Height;
        if (!PacksIntoBytes(icon.Width, icon.Height, icon.BPP)) {
          return Refuse(file,
                        QStringLiteral("%1 x %2 at %3 bpp: %4")
                            .arg(icon.Width)
                            .arg(icon.Height)
                            .arg(icon.BPP)
                            .arg(QLatin1String(PackingRuleText.data(),
                                               static_cast<qsizetype>(PackingRuleText.size()))));
        }
      } else if (p.Width != icon.Width || p.Height != icon.Height) {
        return Refuse(file,
                      QStringLiteral("is %1 x %2, but the first sub-icon of its icon is %3 x %4")
                          .arg(p.Width)
                          .arg(p.Height)
                          .arg(icon.Width)
                          .arg(icon.Height));
      }
      int changed = 0;
      const unsigned mask = (1u << icon.BPP) - 1u;
      for (int y = 1; y <= p.Height; ++y) {
        for (int x = 1; x <= p.Width; ++x) {
          const unsigned code = static_cast<unsigned>(ToInt(p.Cells.At(x, y)));
          icon.Data.push_back(static_cast<std::uint8_t>(code));
          // What the skin file keeps of it: the low BPP bits, 1 read back as White.
          const unsigned kept = icon.BPP == 1 ? ((code & 1u) ? 3u : 0u) : (code & mask);
          if (kept != code) ++changed;
        }
      }
      if (changed > 0) {
        Warn(file, QStringLiteral("%1 pixels cannot be held at %2 bpp and read back changed")
                       .arg(changed)
                       .arg(icon.BPP));
      }
    }
    skin.Append(std::move(icon));
  }
  const auto file = WriteSkinFile(skin, manifest->name);
  if (!file) return Refuse(path, AsSentence(file.error().message));
  return WriteOutput(OutputTo(parser.value(output), true), std::span<const std::uint8_t>(*file))
             ? ExitOk
             : ExitRefused;
}

}  // namespace pictavo::cli

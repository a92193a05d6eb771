// Transliteration, date and move modules in one chain, through the host's own
// preview and run engines, on real files moved from ext4 to tmpfs.
#define BRENMARK_HOST
#include "brenmark_module.h"

#include "BatchTestSupport.h"

#include "main/core/batch/BatchRunner.h"
#include "main/core/batch/PreviewEngine.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/chain/TListData.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/modulehost/ModuleLibrary.h"
#include "module_helper/Fields.h"
#include "modules/date_time/DateTimeOptions.h"
#include "modules/move_to_folder/MoveOptions.h"
#include "modules/transliteration/TranslitOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;
using namespace brenmark;

namespace {

// The recording sink without a progress bar: the move module would paint a real one.
class Sink : public batchtest::RecordingSink
{
public:
    void *progressBarHandle() const override { return nullptr; }
};

class Chain
{
public:
    template<typename Options>
    void add(const char *file, const Options &options, const std::string &caption)
    {
        std::string error;
        auto library = ModuleLibrary::open(std::string(BRENMARK_PLUGINS_DIR) + "/" + file + ".so", &error);
        ASSERT_TRUE(library) << error;
        auto record = std::make_unique<TListData>();
        record->Module = library->handle();
        record->ModuleFile = std::string(file) + ".so";
        moduleFunction<BrenmarkNewOpt>(record->Module, "newOpt")(&record->Options);
        std::memcpy(record->Options, &options, sizeof options);
        if (auto setDir = moduleFunction<BrenmarkSetDir>(record->Module, "setDir"))
            setDir(m_program.c_str());
        actions.appendAction(caption, -1, true, std::move(record));
        m_libraries.push_back(std::move(library));
    }

    void setProgramDir(std::string dir) { m_program = std::move(dir); }

    // Declared first: the libraries outlive the chain that calls into them.
    std::vector<std::unique_ptr<ModuleLibrary>> m_libraries;
    ActionChainModel actions;

private:
    std::string m_program;
};

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

} // namespace

TEST(FileModulesBatch, PreviewThenRunAcrossFileSystems)
{
    batchtest::FileTree ext4;
    QTemporaryDir tmpfsDir(QStringLiteral("/dev/shm/brenmark-batch-XXXXXX"));
    ASSERT_TRUE(tmpfsDir.isValid());
    const std::string tmpfs = QFile::encodeName(tmpfsDir.path()).toStdString();

    const std::string jpeg = readFile(BRENMARK_SOURCE_DIR "/tests/data/modules_exif.jpg");
    const std::string photo = ext4.file("Отпуск.jpg", jpeg);
    const std::string other = ext4.file("Море.jpg", jpeg);
    // The second photo's place is taken: its move must be refused.
    fs::create_directories(tmpfs + "/2019");
    std::ofstream(tmpfs + "/2019/2019-06-21_More.jpg") << "taken";

    Chain chain;
    chain.setProgramDir(ext4.folder("program") + "/");
    translit::TranslitOptions translit;
    chain.add("transliteration", translit, "Транслит");
    datetime::DateTimeOptions date;
    date.source = datetime::DateSource::Exif;
    chain.add("date_time", date, "Дата");
    movetofolder::MoveOptions move;
    move.dateSource = datetime::DateSource::Exif;
    sdk::setFieldText(move.folder, tmpfs + "/%Y");
    chain.add("move_to_folder", move, "Перемещение");
    if (::testing::Test::HasFatalFailure())
        return;

    FileListModel files;
    ASSERT_EQ(files.appendDialogFiles({photo, other}), 2);
    Sink sink;
    PreviewEngine preview(files, chain.actions, sink, [] { return PreviewSettings{}; });
    preview.RebuildPreview();
    EXPECT_EQ(files.newPath(0), tmpfs + "/2019/2019-06-21_Otpusk.jpg");
    EXPECT_EQ(files.newPath(1), tmpfs + "/2019/2019-06-21_More.jpg");
    EXPECT_EQ(readFile(photo), jpeg) << "the preview touches nothing";

    BatchRunner runner(files, chain.actions, sink);
    runner.run();

    EXPECT_EQ(readFile(tmpfs + "/2019/2019-06-21_Otpusk.jpg"), jpeg);
    EXPECT_FALSE(fs::exists(photo));
    // The refused move leaves the file where the actions before it put it.
    EXPECT_EQ(readFile(tmpfs + "/2019/2019-06-21_More.jpg"), "taken");
    EXPECT_EQ(readFile(ext4.root() + "/2019-06-21_More.jpg"), jpeg);
    EXPECT_NE(std::find(sink.statusHistory.begin(), sink.statusHistory.end(), "Ошибка!"), sink.statusHistory.end());
}

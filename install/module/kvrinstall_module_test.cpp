// Loads the built module as the host does and plays the installer with scripted answers.
#include <cstring>
#include <deque>
#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "install/kvrinstall.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"

namespace kvr {
namespace {

struct ScriptedInstaller
{
    std::string property;
    unsigned propertyStatus = KVR_INSTALL_SUCCESS;
    std::deque<int> answers; // message-box results, in order
    std::vector<std::string> captions;
    std::vector<unsigned> types;
    std::map<KvrInstallHandle, std::string> records; // open records, field 0
    std::vector<std::string> errors; // error messages processed
    KvrInstallHandle nextHandle = 100;

    KvrInstaller table()
    {
        return KvrInstaller { this,     &getProperty, &createRecord, &setString,
                              &process, &close,       &messageBox };
    }
    static ScriptedInstaller &self(void *context)
    {
        return *static_cast<ScriptedInstaller *>(context);
    }
    static unsigned getProperty(void *context, const char *name, char *value, unsigned long *size)
    {
        ScriptedInstaller &s = self(context);
        if (std::strcmp(name, "CustomActionData") != 0 || *size == 0)
            return KVR_INSTALL_FAILURE;
        const std::size_t n = std::min<std::size_t>(s.property.size(), *size - 1);
        std::memcpy(value, s.property.data(), n);
        value[n] = '\0';
        *size = s.property.size();
        return s.propertyStatus;
    }
    static KvrInstallHandle createRecord(void *context, unsigned)
    {
        ScriptedInstaller &s = self(context);
        s.records[s.nextHandle] = "";
        return s.nextHandle++;
    }
    static unsigned setString(void *context, KvrInstallHandle record, unsigned field,
                              const char *value)
    {
        if (field == 0)
            self(context).records.at(record) = value;
        return 0;
    }
    static int process(void *context, unsigned type, KvrInstallHandle record)
    {
        if (type == KVR_INSTALLMESSAGE_ERROR)
            self(context).errors.push_back(self(context).records.at(record));
        return 0;
    }
    static unsigned close(void *context, KvrInstallHandle handle)
    {
        return self(context).records.erase(handle) == 1 ? 0 : 6;
    }
    static int messageBox(void *context, const char *, const char *caption, unsigned type)
    {
        ScriptedInstaller &s = self(context);
        s.captions.push_back(caption);
        s.types.push_back(type);
        if (s.answers.empty())
            return 0;
        const int answer = s.answers.front();
        s.answers.pop_front();
        return answer;
    }
};

constexpr int kOk = 1, kCancel = 2, kYes = 6, kNo = 7;

class InstallModule : public testing::Test
{
protected:
    void SetUp() override
    {
        m_module = ::dlopen(KVR_INSTALL_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_module, nullptr) << ::dlerror();
        m_commit = reinterpret_cast<KvrInstallAction>(::dlsym(m_module, "Commit"));
        m_uninstall = reinterpret_cast<KvrInstallAction>(::dlsym(m_module, "Uninstall"));
        ASSERT_TRUE(m_commit && m_uninstall);
        m_folder.put("Datas/DBv3.kvr", "db");
        m_folder.put("Datas/translog.txt", "log");
        m_installer.property = m_folder.path() + "/";
    }
    void TearDown() override
    {
        if (m_module)
            ::dlclose(m_module);
    }
    unsigned uninstall(std::deque<int> answers)
    {
        m_installer.answers = std::move(answers);
        KvrInstaller table = m_installer.table();
        return m_uninstall(&table);
    }
    bool exists(const std::string &relative) const
    {
        return std::filesystem::exists(m_folder / relative);
    }

    void *m_module = nullptr;
    KvrInstallAction m_commit = nullptr;
    KvrInstallAction m_uninstall = nullptr;
    TempFolder m_folder;
    ScriptedInstaller m_installer;
};

TEST_F(InstallModule, CancelAtTheSecondQuestionKeepsTheDeletedDatabaseDeleted)
{
    EXPECT_EQ(uninstall({ kYes, kYes, kOk, kCancel }), 1602u);
    EXPECT_FALSE(exists("Datas/DBv3.kvr"));
    EXPECT_TRUE(exists("Datas/translog.txt"));
    EXPECT_EQ(m_installer.captions,
              (std::vector<std::string> { "delete DB?", "delete ok?", "", "delete log?" }));
    // Yes/No/Cancel and Yes/No with the second button as default; a plain OK box.
    EXPECT_EQ(m_installer.types, (std::vector<unsigned> { 0x103, 0x104, 0x0, 0x103 }));
    EXPECT_EQ(m_installer.errors,
              std::vector<std::string> { cp932::text("Kvr のアンインストールを中止します。") });
    EXPECT_TRUE(m_installer.records.empty()) << "the record was not closed";
}

TEST_F(InstallModule, YesToAllDeletesBothFilesAndSucceeds)
{
    EXPECT_EQ(uninstall({ kYes, kYes, kOk, kYes, kYes, kOk }), 0u);
    EXPECT_FALSE(exists("Datas/DBv3.kvr"));
    EXPECT_FALSE(exists("Datas/translog.txt"));
    EXPECT_TRUE(m_installer.errors.empty());
}

TEST_F(InstallModule, NoAtBothQuestionsOrABoxClosedOtherwiseDeletesNothing)
{
    EXPECT_EQ(uninstall({ kNo, kNo }), 0u);
    EXPECT_EQ(uninstall({ kYes, 0, kNo }), 0u); // confirmation closed: nothing deleted
    EXPECT_TRUE(exists("Datas/DBv3.kvr"));
    EXPECT_TRUE(exists("Datas/translog.txt"));
}

TEST_F(InstallModule, MissingFileFailsToDeleteAndTheRemovalGoesOn)
{
    std::filesystem::remove(m_folder / "Datas/DBv3.kvr");
    EXPECT_EQ(uninstall({ kYes, kYes, kOk, kNo }), 0u);
    EXPECT_EQ(m_installer.captions.size(), 4u);
}

TEST_F(InstallModule, UnreadablePropertyIsToldAndCommitStillSucceeds)
{
    // Neither a read-me nor a program in the folder: both failures are told.
    m_installer.propertyStatus = KVR_INSTALL_MORE_DATA;
    m_installer.answers = { kOk, kOk, kOk };
    KvrInstaller table = m_installer.table();
    EXPECT_EQ(m_commit(&table), 0u);
    EXPECT_EQ(m_installer.captions,
              (std::vector<std::string> { "", m_folder / "Readme.txt", m_folder / "Kvr" }));
}

TEST_F(InstallModule, WithoutAMessageBoxEveryQuestionTakesItsDefault)
{
    KvrInstaller table = m_installer.table();
    table.messageBox = nullptr;
    EXPECT_EQ(m_uninstall(&table), 0u);
    EXPECT_TRUE(exists("Datas/DBv3.kvr"));
    EXPECT_EQ(m_uninstall(nullptr), 1603u);
}

} // namespace
} // namespace kvr

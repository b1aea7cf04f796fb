#include "install/portable/CopyPlan.h"

#include "install/portable/ArchiveKeys.h"
#include "install/portable/FinishPaths.h"

namespace {

// Key values live in the reader's shared ring: each is copied at once.
std::string Copied(const char* value) {
    return value ? value : "";
}

std::vector<std::string> AllValues(CReadPGR& archive, const std::string& key) {
    std::vector<std::string> values;
    for (const char* v = archive.GetKey(key.c_str()); v; v = archive.GetNextKey(key.c_str()))
        values.emplace_back(v);
    return values;
}

std::vector<std::string> DataFileNames(CReadPGR& archive, const std::string& key) {
    std::vector<std::string> names;
    for (int n = 1;; ++n) {
        const char* name = archive.GetKey(key.c_str(), std::to_string(n).c_str());
        if (!name)
            return names;
        names.emplace_back(name);
    }
}

class PlanReader {
  public:
    PlanReader(CReadPGR& archive, const CopyKeyNames& names, CopyPlanResult& result)
        : m_stArchive(archive), m_stNames(names), m_stResult(result) {}

    bool Failed() const { return m_stResult.problem != CopyPlanProblem::None; }

    void Fail(CopyPlanProblem problem, const std::string& subject) {
        if (Failed())
            return;
        m_stResult.problem = problem;
        m_stResult.subject = subject;
    }

    void CheckLength(const std::string& path, size_t limit) {
        if (path.size() > limit)
            Fail(CopyPlanProblem::PathTooLong, path);
    }

    // The entry, target and flag records of one group or subdirectory follow
    // each other, so each next target and flag belongs to the entry just read.
    // Flags are read only where they count: a group without them would
    // otherwise take the next entry's flag and skip that entry.
    template <typename Destination>
    void AddEntries(const std::string& qualifier, bool readFlags, Destination destinationOf) {
        const char* group = qualifier.c_str();
        for (const char* e = m_stArchive.GetKey(group, m_stNames.entryField.c_str()); e && !Failed();
             e = m_stArchive.GetNextKey(group, m_stNames.entryField.c_str())) {
            EntryCopy copy;
            copy.entry = e;
            copy.target = Copied(m_stArchive.GetNextKey(group, m_stNames.targetField.c_str()));
            if (readFlags)
                copy.mainProgram = IsMainProgramFlag(m_stArchive.GetNextKey(group, m_stNames.flagField.c_str()));
            copy.destination = destinationOf(copy.target);
            if (m_stArchive.FindFile(copy.entry.c_str(), &copy.storedSize) < 0)
                Fail(CopyPlanProblem::MissingEntry, copy.entry);
            CheckLength(copy.destination, kMaxFilePathLength);
            m_stResult.plan.entries.push_back(std::move(copy));
        }
    }

    void AddGroup(const std::string& group) {
        const CopyPlan& plan = m_stResult.plan;
        const GroupKind kind = ClassifyGroup(group, m_stNames.mainProgramGroup, m_stNames.systemGroup);
        if (kind == GroupKind::Unknown)
            return Fail(CopyPlanProblem::UnknownGroup, group);
        AddEntries(group, kind == GroupKind::MainProgram,
                   [&](const std::string& target) { return GroupEntryDestination(plan.folders, kind, target); });
    }

    void AddSubdirectory(const std::string& subdirectory) {
        const std::string directory = JoinPath({ProductDirectory(m_stResult.plan.folders), subdirectory});
        AddEntries(UpperCaseName(subdirectory), false, [&](const std::string& target) {
            return JoinPath({directory, target});
        });
    }

    // A folder named by nothing would make its parent the product's folder,
    // and the registry writer would then open, and the record later delete,
    // the parent key itself.
    void CheckFolderNames() {
        if (m_stResult.plan.folders.company.empty())
            Fail(CopyPlanProblem::NoFolderName, m_stNames.companyKey);
        if (m_stResult.plan.folders.product.empty())
            Fail(CopyPlanProblem::NoFolderName, m_stNames.productKey);
    }

    // The shortcuts are made after the copy is committed; one that could
    // not be saved would then end an installation left unregistered.
    void CheckShortcutPaths() {
        const CopyPlan& plan = m_stResult.plan;
        bool hasMainProgram = false;
        for (const EntryCopy& entry : plan.entries)
            hasMainProgram = hasMainProgram || entry.mainProgram;
        if (!hasMainProgram)
            return;
        const std::string overlong = FirstOverlongShortcutPath(
            ShortcutPathsFor(plan.folders.startMenu, plan.folders.desktop, plan.folders.company, plan.folders.product,
                             Copied(m_stArchive.GetKey(ArchiveKeys::kMainLinkName))));
        if (!overlong.empty())
            Fail(CopyPlanProblem::ShortcutTooLong, overlong);
    }

  private:
    CReadPGR& m_stArchive;
    const CopyKeyNames& m_stNames;
    CopyPlanResult& m_stResult;
};

}  // namespace

CopyPlanResult ReadCopyPlan(CReadPGR& archive, const CopyKeyNames& names, const InstallFolders& folders,
                            const std::string& installerDirectory) {
    CopyPlanResult result;
    CopyPlan& plan = result.plan;
    plan.folders = folders;
    const std::vector<std::string> dataFiles = DataFileNames(archive, names.dataFileKey);
    const std::vector<std::string> groups = AllValues(archive, names.groupListKey);
    plan.subdirectories = AllValues(archive, names.subdirectoryListKey);
    plan.folders.company = Copied(archive.GetKey(names.companyKey.c_str()));
    plan.folders.product = Copied(archive.GetKey(names.productKey.c_str()));

    PlanReader reader(archive, names, result);
    reader.CheckFolderNames();
    plan.directories = InstallDirectories(plan.folders, plan.subdirectories);
    for (const std::string& directory : plan.directories)
        reader.CheckLength(directory, kMaxDirectoryPathLength);
    for (const std::string& name : dataFiles) {
        plan.dataFiles.push_back(
            {name, JoinPath({installerDirectory, name}), JoinPath({ProductDirectory(plan.folders), name})});
        reader.CheckLength(plan.dataFiles.back().destination, kMaxFilePathLength);
    }
    for (const std::string& group : groups)
        reader.AddGroup(group);
    for (const std::string& subdirectory : plan.subdirectories)
        reader.AddSubdirectory(subdirectory);
    reader.CheckShortcutPaths();
    return result;
}

int64_t StoredTotal(const CopyPlan& plan) {
    int64_t total = 0;
    for (const EntryCopy& entry : plan.entries)
        total += entry.storedSize;
    return total;
}

#include "FakeProfileStorage.h"

class FakeReplacement : public ProfileReplacement {
public:
    explicit FakeReplacement(FakeProfileStorage& file) : file_(file), draft_(file.stored) {}

    std::int32_t readInt(const std::wstring& section, const std::wstring& key,
                         std::int32_t defaultValue) const override
    {
        return draft_.readInt(section, key, defaultValue);
    }
    std::wstring readString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue) const override
    {
        return draft_.readString(section, key, defaultValue);
    }
    void writeString(const std::wstring& section, const std::wstring& key, const std::wstring& value) override
    {
        if (file_.nextCallFails()) {
            failed_ = true;
            return;
        }
        draft_.writeString(section, key, value);
    }
    bool commit() override
    {
        if (file_.nextCallFails() || failed_)
            return false;
        file_.replaceWith(draft_);
        return true;
    }

private:
    FakeProfileStorage& file_;
    FakeProfileFile draft_;
    bool failed_ = false;
};

std::unique_ptr<ProfileFile> FakeProfileStorage::openForReading()
{
    if (unreadable)
        return nullptr;
    return std::make_unique<FakeProfileFile>(stored);
}

std::unique_ptr<ProfileReplacement> FakeProfileStorage::beginReplacement()
{
    return std::make_unique<FakeReplacement>(*this);
}

bool FakeProfileStorage::nextCallFails()
{
    ++calls;
    return failFromCall > 0 && calls >= failFromCall;
}

void FakeProfileStorage::replaceWith(const FakeProfileFile& next)
{
    if (backupPending_) {
        backups.push_back(stored);
        backupPending_ = false;
    }
    stored = next;
}

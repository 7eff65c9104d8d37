// get, set, del: the settings store's values, through the store itself.
#include "cmdutil.h"
#include "format.h"

#include <cstdio>
#include <memory>
#include <new>

namespace genbatool {

namespace {

struct DataAccess {
    const CEnvironObj& env;
    DataRoot root;
    const CString& section;
    const CString& entry;
    const CString& name;

    bool User() const { return root == DataRoot::User; }
    int GetDWord(unsigned long& v) const
    {
        return User() ? env.GetUserDataDWord(section, entry, name, v) : env.GetMachineDataDWord(section, entry, name, v);
    }
    int GetStr(CString& v) const
    {
        return User() ? env.GetUserDataStr(section, entry, name, v) : env.GetMachineDataStr(section, entry, name, v);
    }
    unsigned long GetBuffSize() const
    {
        return User() ? env.GetUserDataBuffSize(section, entry, name) : env.GetMachineDataBuffSize(section, entry, name);
    }
    int GetBuff(void* buf, unsigned long size) const
    {
        return User() ? env.GetUserDataBuff(section, entry, name, buf, size)
                      : env.GetMachineDataBuff(section, entry, name, buf, size);
    }
    int SetDWord(unsigned long v) const
    {
        return User() ? env.SetUserDataDWord(section, entry, name, v) : env.SetMachineDataDWord(section, entry, name, v);
    }
    int SetStr(const CString& v) const
    {
        return User() ? env.SetUserDataStr(section, entry, name, v) : env.SetMachineDataStr(section, entry, name, v);
    }
    int SetBuff(const std::string& b) const
    {
        return User() ? env.SetUserDataBuff(section, entry, name, b.data(), static_cast<unsigned long>(b.size()))
                      : env.SetMachineDataBuff(section, entry, name, b.data(), static_cast<unsigned long>(b.size()));
    }
    int Del() const { return User() ? env.DelUserData(section, entry, name) : env.DelMachineData(section, entry, name); }
    int DelKey() const { return User() ? env.DelUserSection(section, entry) : env.DelMachineSection(section, entry); }
};

struct ReadValue {
    ValueType type = ValueType::Any;   // Any: nothing read
    unsigned long dword = 0;
    CString str;
    std::string bytes;
};

// Reads a value of the asked type, or of the first type that fits: number, text, bytes.
ReadValue ReadData(const DataAccess& a, ValueType wanted)
{
    ReadValue v;
    if ((wanted == ValueType::Any || wanted == ValueType::DWord) && a.GetDWord(v.dword)) {
        v.type = ValueType::DWord;
        return v;
    }
    if ((wanted == ValueType::Any || wanted == ValueType::Str) && a.GetStr(v.str)) {
        v.type = ValueType::Str;
        return v;
    }
    if (wanted == ValueType::Any || wanted == ValueType::Hex) {
        unsigned long size = a.GetBuffSize();
        std::unique_ptr<char[]> buf(new (std::nothrow) char[size + 1]);
        if (buf && a.GetBuff(buf.get(), size)) {
            v.type = ValueType::Hex;
            v.bytes.assign(buf.get(), size);
        }
    }
    return v;
}

const char* TypeName(ValueType t)
{
    switch (t) {
    case ValueType::DWord: return "dword";
    case ValueType::Str: return "str";
    case ValueType::Hex: return "hex";
    case ValueType::Any: break;
    }
    return "value";
}

std::string HexText(const std::string& bytes)
{
    std::string r;
    char buf[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(bytes[i]));
        r += (i ? " " : "") + std::string(buf);
    }
    return r;
}

void JsonValue(JsonWriter& j, const ReadValue& v)
{
    j.Field("type", TypeName(v.type));
    j.Key("value");
    switch (v.type) {
    case ValueType::DWord: j.Number(v.dword); break;
    case ValueType::Str: j.String(v.str); break;
    case ValueType::Hex: j.String(CString(HexText(v.bytes).c_str())); break;
    case ValueType::Any: j.Null(); break;
    }
    if (v.type == ValueType::Hex) j.Field("size", static_cast<unsigned long long>(v.bytes.size()));
}

std::string ValueText(const ReadValue& v)
{
    switch (v.type) {
    case ValueType::DWord: return std::to_string(v.dword);
    case ValueType::Str: return S(v.str);
    case ValueType::Hex: return HexText(v.bytes);
    case ValueType::Any: break;
    }
    return std::string();
}

void JsonAddress(JsonWriter& j, const Request& r, const CString& key)
{
    j.Field("root", r.root == DataRoot::User ? "user" : "machine")
        .Field("section", r.section)
        .Field("entry", r.entry)
        .Field("key", key);
}

// The record of one stored value: its address, its name and its typed value.
struct ValueRecord {
    const Request& request;
    CString key;
    ReadValue value;
};

std::string JsonValueRecord(const ValueRecord& rec)
{
    JsonWriter j;
    j.BeginObject();
    JsonAddress(j, rec.request, rec.key);
    j.Field("name", rec.request.name);
    JsonValue(j, rec.value);
    j.EndObject();
    return j.Text();
}

} // namespace

int RunGet(const Request& r, Output& o)
{
    CEnvironObj env;
    ValueRecord rec{r, DataKey(env, r.root, r.section, r.entry), {}};
    DataAccess a{env, r.root, r.section, r.entry, r.name};
    rec.value = ReadData(a, r.type);
    if (rec.value.type == ValueType::Any) {
        o.err += std::string("get: no ") + (r.type == ValueType::Any ? "" : std::string(TypeName(r.type)) + " ") +
                 "value " + S(ValueRef(rec.key, r.name)) + "\n";
        return EXIT_NOT_DONE;
    }
    o.out += r.json ? JsonValueRecord(rec) : ValueText(rec.value) + "\n";
    return EXIT_DONE;
}

int RunSet(const Request& r, Output& o)
{
    CEnvironObj env;
    ValueRecord rec{r, DataKey(env, r.root, r.section, r.entry), {}};
    DataAccess a{env, r.root, r.section, r.entry, r.name};
    ReadValue& v = rec.value;
    v.type = r.type;
    int ok = 0;
    switch (r.type) {
    case ValueType::DWord:
        ok = a.SetDWord(r.dword);
        v.dword = r.dword;
        break;
    case ValueType::Str:
        ok = a.SetStr(r.str);
        v.str = r.str;
        break;
    case ValueType::Hex:
        ok = a.SetBuff(r.bytes);
        v.bytes = r.bytes;
        break;
    case ValueType::Any: break;
    }
    if (!ok) {
        o.err += "set: could not write " + S(ValueRef(rec.key, r.name)) + "\n";
        return EXIT_NOT_DONE;
    }
    o.out += r.json ? JsonValueRecord(rec)
                    : "set " + S(ValueRef(rec.key, r.name)) + " (" + TypeName(v.type) + ") = " + ValueText(v) + "\n";
    return EXIT_DONE;
}

int RunDel(const Request& r, Output& o)
{
    CEnvironObj env;
    CString key = DataKey(env, r.root, r.section, r.entry);
    DataAccess a{env, r.root, r.section, r.entry, r.name};
    std::string done;
    bool deleted = true;
    if (r.wholeKey) {
        if (!a.DelKey()) {
            o.err += "del: could not delete the key " + S(key) + " (not there, or not all of it)\n";
            return EXIT_NOT_DONE;
        }
        done = "deleted key " + S(key);
    } else {
        bool wasThere = ReadData(a, ValueType::Any).type != ValueType::Any;
        if (!a.Del()) {
            o.err += "del: no such key " + S(key) + "\n";
            return EXIT_NOT_DONE;
        }
        done = (wasThere ? "deleted " : "nothing to delete: no value ") + S(ValueRef(key, r.name));
        deleted = wasThere;
    }
    if (r.json) {
        JsonWriter j;
        j.BeginObject();
        JsonAddress(j, r, key);
        if (!r.wholeKey) j.Field("name", r.name);
        j.Field("deleted", deleted).EndObject();
        o.out += j.Text();
    } else {
        o.out += done + "\n";
    }
    return EXIT_DONE;
}

} // namespace genbatool

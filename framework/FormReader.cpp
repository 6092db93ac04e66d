#include "framework/FormReader.h"

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/StringList.h"
#include "framework/Strings.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

namespace {

enum class Tok { Ident, Integer, String, Symbol, Binary, End };

struct Token {
    Tok kind = Tok::End;
    std::string text; // identifier, string value, symbol, hex digits
    long long number = 0;
    int line = 0;
};

class Lexer {
  public:
    explicit Lexer(const std::string& text) : text_(text) {}

    Token Next() {
        SkipBlanks();
        Token t;
        t.line = line_;
        if (pos_ >= text_.size()) return t;
        const char c = text_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            size_t start = pos_;
            while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                           text_[pos_] == '_' || text_[pos_] == '.'))
                ++pos_;
            t.kind = Tok::Ident;
            t.text = text_.substr(start, pos_ - start);
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '$' ||
                   (c == '-' && pos_ + 1 < text_.size() &&
                    (std::isdigit(static_cast<unsigned char>(text_[pos_ + 1])) ||
                     text_[pos_ + 1] == '$'))) {
            size_t start = pos_++;
            while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_])))
                ++pos_;
            t.kind = Tok::Integer;
            t.text = text_.substr(start, pos_ - start);
            int32_t value = 0;
            if (!TryStrToInt(t.text, value)) Fail(t.line, "invalid number " + t.text);
            t.number = value;
        } else if (c == '\'' || c == '#') {
            t.kind = Tok::String;
            t.text = ReadString();
        } else if (c == '{') {
            ++pos_;
            t.kind = Tok::Binary;
            while (pos_ < text_.size() && text_[pos_] != '}') {
                const char h = text_[pos_++];
                if (h == '\n') ++line_;
                if (std::isxdigit(static_cast<unsigned char>(h)))
                    t.text += h;
                else if (!std::isspace(static_cast<unsigned char>(h)))
                    Fail(line_, "invalid character in picture data");
            }
            if (pos_ >= text_.size()) Fail(t.line, "picture data without closing }");
            ++pos_;
        } else {
            t.kind = Tok::Symbol;
            t.text = std::string(1, c);
            ++pos_;
        }
        return t;
    }

    [[noreturn]] static void Fail(int line, const std::string& what) {
        throw EFormReadError("Error reading form description, line " + std::to_string(line) + ": " +
                             what);
    }

  private:
    void SkipBlanks() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    // 'abc''d'#13'e': quoted pieces and character codes, run together.
    std::string ReadString() {
        std::string result;
        while (pos_ < text_.size()) {
            if (text_[pos_] == '\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= text_.size() || text_[pos_] == '\n')
                        Fail(line_, "unterminated string");
                    if (text_[pos_] == '\'') {
                        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                            result += '\'';
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    result += text_[pos_++];
                }
            } else if (text_[pos_] == '#') {
                ++pos_;
                size_t start = pos_;
                while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])))
                    ++pos_;
                if (start == pos_) Fail(line_, "character code expected after #");
                // Texts are bytes: a larger code would lose its high bits.
                const std::string digits = text_.substr(start, pos_ - start);
                int code = 0;
                for (const char digit : digits)
                    code = std::min(code * 10 + (digit - '0'), 256);
                if (code > 255) Fail(line_, "invalid character code #" + digits);
                result += static_cast<char>(code);
            } else {
                break;
            }
        }
        return result;
    }

    const std::string& text_;
    size_t pos_ = 0;
    int line_ = 1;
};

struct Fixup {
    TObject* target;
    const TPropertyInfo* property;
    std::string name;
    int line;
};

class Reader {
  public:
    Reader(TComponent* root, const std::string& text) : lexer_(text), root_(root) { Advance(); }

    void Run() {
        ExpectIdent("object");
        const Token name = ExpectKind(Tok::Ident, "component name");
        ExpectSymbol(":");
        const Token cls = ExpectKind(Tok::Ident, "class name");
        if (!SameText(cls.text, root_->ClassName()))
            Lexer::Fail(cls.line,
                        "the description is of class " + cls.text + ", not " + root_->ClassName());
        root_->SetName(name.text);
        root_->SetLoading(true);
        ReadBody(root_);
        if (tok_.kind != Tok::End) Lexer::Fail(tok_.line, "text after the final end");
        ResolveFixups();
        for (TComponent* c : loaded_)
            c->Loaded();
        root_->Loaded();
    }

  private:
    void ReadBody(TComponent* component) {
        while (!IsIdent("end")) {
            if (tok_.kind == Tok::End) Lexer::Fail(tok_.line, "end expected");
            if (IsIdent("object"))
                ReadChild(component);
            else
                ReadProperty(component);
        }
        Advance();
    }

    void ReadChild(TComponent* parent) {
        Advance();
        const Token name = ExpectKind(Tok::Ident, "component name");
        ExpectSymbol(":");
        const Token cls = ExpectKind(Tok::Ident, "class name");
        const ClassInfo* info = FindClass(cls.text);
        if (!info || !info->Create) Lexer::Fail(cls.line, "unknown class " + cls.text);
        TComponent* child = info->Create(root_);
        child->SetLoading(true);
        child->SetName(name.text);
        loaded_.push_back(child);
        parent->AddStreamedChild(child);
        if (const TFieldInfo* field = root_->ClassType().FindField(name.text))
            if (!field->Assign(root_, child))
                Lexer::Fail(name.line, "field " + name.text + " is not of class " + cls.text);
        ReadBody(child);
    }

    void ReadProperty(TObject* target) {
        const Token path = ExpectKind(Tok::Ident, "property name");
        ExpectSymbol("=");
        TObject* object = target;
        std::string rest = path.text;
        for (auto dot = rest.find('.'); dot != std::string::npos; dot = rest.find('.')) {
            const std::string part = rest.substr(0, dot);
            const TPropertyInfo* p = object->ClassType().FindProperty(part);
            if (!p || p->Kind != TPropKind::Object)
                Lexer::Fail(path.line, UnknownProperty(object, part));
            object = p->GetObj(object);
            rest = rest.substr(dot + 1);
        }
        const TPropertyInfo* p = object->ClassType().FindProperty(rest);
        if (!p) Lexer::Fail(path.line, UnknownProperty(object, rest));
        ReadValue(object, *p);
    }

    static std::string UnknownProperty(TObject* object, const std::string& name) {
        return "unknown property " + name + " of class " + object->ClassName();
    }

    void ReadValue(TObject* object, const TPropertyInfo& p) {
        const Token value = tok_;
        const auto wrong = [&]() {
            Lexer::Fail(value.line, "invalid value " + Describe(value) + " for property " + p.Name);
        };
        switch (p.Kind) {
        case TPropKind::Integer:
            if (value.kind != Tok::Integer) wrong();
            Advance();
            p.SetOrd(object, value.number);
            break;
        case TPropKind::Boolean:
            if (value.kind != Tok::Ident ||
                (!SameText(value.text, "True") && !SameText(value.text, "False")))
                wrong();
            Advance();
            p.SetOrd(object, SameText(value.text, "True") ? 1 : 0);
            break;
        case TPropKind::Color: {
            TColor color = 0;
            if (value.kind == Tok::Integer)
                color = static_cast<TColor>(value.number);
            else if (value.kind != Tok::Ident || !ColorFromName(value.text, color))
                wrong();
            Advance();
            p.SetOrd(object, color);
            break;
        }
        case TPropKind::Enum: {
            const int ordinal = value.kind == Tok::Ident ? p.Enum->ValueOf(value.text) : -1;
            if (ordinal < 0) wrong();
            Advance();
            p.SetOrd(object, ordinal);
            break;
        }
        case TPropKind::Set:
            p.SetOrd(object, ReadSet(p));
            break;
        case TPropKind::String:
            if (value.kind != Tok::String) wrong();
            p.SetStr(object, ReadJoinedString());
            break;
        case TPropKind::Component:
            if (value.kind != Tok::Ident) wrong();
            Advance();
            fixups_.push_back(Fixup{object, &p, value.text, value.line});
            break;
        case TPropKind::Binary:
            if (value.kind == Tok::Binary) {
                Advance();
                p.SetBinary(object, HexBytes(value));
            } else if (value.kind == Tok::String) {
                Advance();
                p.SetBinaryResource(object, value.text);
            } else {
                wrong();
            }
            break;
        case TPropKind::Event: {
            if (value.kind != Tok::Ident) wrong();
            Advance();
            const TMethodInfo* method = root_->ClassType().FindMethod(value.text);
            if (!method)
                Lexer::Fail(value.line,
                            "unknown handler " + value.text + " of class " + root_->ClassName());
            if (!p.SetEvent(object, method->Bind(root_)))
                Lexer::Fail(value.line, "handler " + value.text + " does not fit event " + p.Name);
            break;
        }
        case TPropKind::Strings:
            ReadStrings(object, p);
            break;
        case TPropKind::Collection:
            ReadCollection(object, p);
            break;
        case TPropKind::Object:
            wrong();
        }
    }

    int64_t ReadSet(const TPropertyInfo& p) {
        ExpectSymbol("[");
        int64_t mask = 0;
        while (!IsSymbol("]")) {
            const Token item = ExpectKind(Tok::Ident, "set element");
            const int ordinal = p.Enum->ValueOf(item.text);
            // The mask has a bit for each of the first 64 names only.
            if (ordinal < 0 || ordinal >= 64)
                Lexer::Fail(item.line, "invalid value " + item.text + " for property " + p.Name);
            mask |= int64_t(1) << ordinal;
            if (IsSymbol(",")) Advance();
        }
        Advance();
        return mask;
    }

    std::string ReadJoinedString() {
        std::string text = ExpectKind(Tok::String, "text").text;
        while (IsSymbol("+")) {
            Advance();
            text += ExpectKind(Tok::String, "text").text;
        }
        return text;
    }

    void ReadStrings(TObject* object, const TPropertyInfo& p) {
        ExpectSymbol("(");
        std::vector<std::string> lines;
        while (!IsSymbol(")")) {
            if (tok_.kind != Tok::String) Lexer::Fail(tok_.line, "text expected in list");
            lines.push_back(ReadJoinedString());
        }
        Advance();
        auto* list = dynamic_cast<TStringList*>(p.GetObj(object));
        list->SetStrings(lines);
    }

    void ReadCollection(TObject* object, const TPropertyInfo& p) {
        ExpectSymbol("<");
        auto* collection = dynamic_cast<TCollection*>(p.GetObj(object));
        collection->Clear();
        while (!IsSymbol(">")) {
            ExpectIdent("item");
            TCollectionItem* item = collection->Add();
            while (!IsIdent("end")) {
                if (tok_.kind == Tok::End) Lexer::Fail(tok_.line, "end expected");
                ReadProperty(item);
            }
            Advance();
        }
        Advance();
    }

    std::vector<uint8_t> HexBytes(const Token& t) {
        if (t.text.size() % 2) Lexer::Fail(t.line, "picture data of odd length");
        std::vector<uint8_t> bytes(t.text.size() / 2);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(std::stoi(t.text.substr(2 * i, 2), nullptr, 16));
        return bytes;
    }

    void ResolveFixups() {
        for (const Fixup& f : fixups_) {
            TComponent* referent =
                SameText(f.name, root_->Name()) ? root_ : root_->FindComponent(f.name);
            if (!referent) Lexer::Fail(f.line, "unknown component " + f.name);
            if (!referent->InheritsFrom(f.property->RefClass()))
                Lexer::Fail(f.line,
                            "component " + f.name + " is not a " + f.property->RefClass().Name);
            f.property->SetRef(f.target, referent);
        }
    }

    static std::string Describe(const Token& t) {
        switch (t.kind) {
        case Tok::String:
            return "'" + t.text + "'";
        case Tok::Binary:
            return "{...}";
        case Tok::End:
            return "(end of text)";
        default:
            return t.text;
        }
    }

    void Advance() { tok_ = lexer_.Next(); }
    bool IsIdent(const char* word) const {
        return tok_.kind == Tok::Ident && SameText(tok_.text, word);
    }
    bool IsSymbol(const char* symbol) const {
        return tok_.kind == Tok::Symbol && tok_.text == symbol;
    }
    void ExpectIdent(const char* word) {
        if (!IsIdent(word)) Lexer::Fail(tok_.line, std::string(word) + " expected");
        Advance();
    }
    void ExpectSymbol(const char* symbol) {
        if (!IsSymbol(symbol)) Lexer::Fail(tok_.line, std::string(symbol) + " expected");
        Advance();
    }
    Token ExpectKind(Tok kind, const char* what) {
        if (tok_.kind != kind) Lexer::Fail(tok_.line, std::string(what) + " expected");
        Token t = tok_;
        Advance();
        return t;
    }

    Lexer lexer_;
    Token tok_;
    TComponent* root_;
    std::vector<TComponent*> loaded_;
    std::vector<Fixup> fixups_;
};

} // namespace

void ReadComponentFromText(TComponent* root, const std::string& text) {
    Reader(root, text).Run();
}

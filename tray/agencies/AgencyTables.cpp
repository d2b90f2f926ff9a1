#include "tray/agencies/AgencyTables.h"

#include "foundation/Language.h"

namespace {

constexpr char kProgramNameTitle[] = "Programmname";
constexpr size_t kExaminedColumn = 5;

struct ColumnSpec {
    LanguageKey title;  // ignored for column 0, which is titled in German in every language
    int width;
};

const std::vector<ColumnSpec>& ColumnSpecs(AgencyKind kind) {
    static const std::vector<ColumnSpec> systemStart = {{LanguageKey::Name, 100},     {LanguageKey::Condition, 155},
                                                        {LanguageKey::Parameter, 70}, {LanguageKey::Invisible, 26},
                                                        {LanguageKey::FullPath, 130}, {LanguageKey::Examined, 60}};
    static const std::vector<ColumnSpec> programStart = {{LanguageKey::Name, 100},
                                                         {LanguageKey::ConditionProg, 155},
                                                         {LanguageKey::Parameter, 70},
                                                         {LanguageKey::Invisible, 26},
                                                         {LanguageKey::FullPath, 130}};
    static const std::vector<ColumnSpec> avoid = {{LanguageKey::Name, 150}, {LanguageKey::Condition, 335}};
    switch (kind) {
        case AgencyKind::SystemStart:
            return systemStart;
        case AgencyKind::ProgramStart:
            return programStart;
        default:
            return avoid;
    }
}

}  // namespace

std::vector<ListColumn> AgencyColumns(AgencyKind kind) {
    std::vector<ListColumn> columns;
    const std::vector<ColumnSpec>& specs = ColumnSpecs(kind);
    for (size_t column = 0; column < specs.size(); ++column) {
        std::string title = column == 0 ? std::string(kProgramNameTitle) : LanguageText(specs[column].title);
        columns.push_back({title, specs[column].width, 0, column, CompareCellText});
    }
    return columns;
}

RowTable AgencyTable(const std::vector<AgencyRow>& rows, AgencyKind kind, const std::vector<int>& images) {
    size_t shown = ColumnSpecs(kind).size();
    RowTable table = MakeRowTable(shown + 1);
    for (size_t index = 0; index < rows.size(); ++index) {
        size_t row = AppendRow(table);
        const AgencyRow& agency = rows[index];
        for (size_t field = 0; field < agency.fields.size() && field < shown; ++field) {
            SetCell(table, row, field, agency.fields[field]);
        }
        if (kind == AgencyKind::SystemStart) {
            SetCell(table, row, kExaminedColumn, agency.examined ? "X" : "");
        }
        SetCellUnsigned(table, row, shown, index);
        table.rows[row].image = index < images.size() ? images[index] : -1;
    }
    return table;
}

size_t AgencyIndexOfRow(const RowTable& table, size_t row) {
    if (row >= table.rows.size() || table.columnCount == 0) {
        return kNoRow;
    }
    return static_cast<size_t>(CellUnsigned(table, row, table.columnCount - 1));
}

const std::string& AgencyIconFile(const AgencyRow& row, AgencyKind kind) {
    static const std::string none;
    size_t field = kind == AgencyKind::Avoid ? 0 : 4;
    return field < row.fields.size() ? row.fields[field] : none;
}

std::string RemoveAgencyQuestion(const AgencyRow& row) {
    std::string name = row.fields.empty() ? std::string() : row.fields[0];
    return LanguageTextWith(LanguageKey::RemoveProgramQuestion, "\"" + name + "\"");
}

const char* AgencyWindowTitle(AgencyKind kind) {
    return kind == AgencyKind::Avoid ? kAvoidAgencyTitle : kExecAgencyTitle;
}

#pragma once

#include "data/DateGroup.h"
#include "grid/DetailSql.h"
#include "tree/GroupingModel.h"
#include "tree/NodeTree.h"

#include <QString>
#include <memory>

namespace data {
class Connection;
class PagedRecordset;
} // namespace data

class frmMain;

// The pane the person last worked in, which Copy copies from.
enum class Pane { None, Tree, Grid };

// The program's shared run state: one instance for the whole run, made by the entry point and
// handed to the main window, which every handler reaches it through.
struct Module1 {
    frmMain* MainForm = nullptr;

    // The open data source and the provider that chose its SQL dialect.
    std::shared_ptr<data::Connection> DbConnection;
    QString DbProvider;
    QString SourceFilePath;
    QString ExcelDriverName;

    // What was typed in the login dialog, and whether it was confirmed.
    QString OracleUser;
    QString OraclePassword;
    QString OracleDatabase;
    bool LoginAccepted = false;

    // The record source picker's outcome and whether it must read the schema again.
    bool SourceChosen = false;
    bool RefillPicker = false;

    // The grouping tree's columns in grid order (ColInfo, FieldCount), the record source they
    // belong to (RecordSource, set by the picker) and the dialect the tree writes.
    tree::GroupingModel Grouping;
    // The grouping tree's nodes, which the main window shows; SelectedDepth is the depth of the
    // node selected there.
    tree::NodeTree Nodes;

    int SelectedDepth = 0;
    data::DateGroup DateGroupType = data::DateGroup::Year;

    // What the detail grid shows and how it is sorted.
    std::shared_ptr<data::PagedRecordset> DetailRecordset;
    QString LastDetailSQL;
    bool DetailLoaded = false;
    QString SortColumn;
    grid::SortDirection SortDirection = grid::SortDirection::None;

    bool AutoQueryEnabled = false;
    Pane ActivePane = Pane::None;
    bool EscapeRequested = false;
};

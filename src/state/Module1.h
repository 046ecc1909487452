#pragma once

#include "data/DateGroup.h"
#include "tree/GroupingModel.h"

#include <QString>
#include <memory>

namespace data {
class Connection;
class Recordset;
} // namespace data

class frmMain;

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

    int SelectedDepth = 0;
    data::DateGroup DateGroupType = data::DateGroup::Year;

    // What the detail grid shows and how it is sorted.
    std::shared_ptr<data::Recordset> DetailRecordset;
    QString LastDetailSQL;
    bool DetailLoaded = false;
    QString SortColumn;
    QString SortDirection;

    bool AutoQueryEnabled = false;
    QString ActivePane;
    bool EscapeRequested = false;
};

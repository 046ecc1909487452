#pragma once

#include "tree/TreeNode.h"

#include <QDialog>

struct Module1;
class QPushButton;

namespace ui {
class Feedback;
class TreeView;
class UiSeam;
} // namespace ui

// The record source picker: the connected source's tables grouped by table type under a root
// that names the source. It is made once and afterwards only hidden and shown again, so its
// tree, selection and size stay; the schema is read again only after a new connect.
class frmOpenSource : public QDialog {
public:
    frmOpenSource(Module1& state, ui::UiSeam& seam, ui::Feedback& feedback, QWidget* owner);

    // What a node of the picker's tree stands for, by its level: the source, a table type, or
    // a table or view of that type.
    enum class Role { Source, TableType, Table };
    static Role roleOf(const tree::TreeNode& node);

    ui::TreeView* sTree;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    void sizeCont();
    void FillSchemaTree();
    void OKButton_Click();
    void CancelButton_Click();
    void sTree_DblClick();
    // Chooses the table or view listed as `table` without showing the form, as selecting it and
    // pressing OK does; false, with nothing chosen, when the source does not list it.
    bool pick(const QString& table);

    // Outer size in twips.
    double Width() const;
    double Height() const;
    void setWidth(double twips);
    void setHeight(double twips);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Escape and the window's close box count as Cancel.
    void reject() override;

private:
    Module1& m_;
    ui::UiSeam& seam_;
    ui::Feedback& feedback_;
    bool sizing_ = false;
};

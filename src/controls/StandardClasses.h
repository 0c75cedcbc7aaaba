#pragma once
// The component classes form descriptions can name, with the properties each understands beyond the common
// set: TImageNote (Picture, Items as picture names separated by ",", ImageIndex, AutoSize, Stretch,
// Transparent, Locked), TLabel / TRdLabel / TLabelNote (Alignment, AutoSize, WordWrap, Layout, Transparent,
// EllipsisPosition, ShowAccelChar; TLabelNote: Items separated by "|", TextIndex), TEdit (Text), TButton,
// TCheckBox (Checked), TGroupBox, TComboBox (Items separated by "|", ItemIndex), TTreeView (ItemHeight,
// ShowLines, ShowButtons, ShowRoot, HotTrack, RowSelect, ToolTips, BorderStyle), TTimer (Interval, Enabled),
// TPopupMenu, TMenuItem (Menu or ParentItem: where the item goes; Checked, RadioItem, Default, Enabled,
// Visible, ImageIndex). Labels measure themselves on the screen's device context. UI thread only.

namespace tessaline {

// Registers every class once; later calls do nothing.
void RegisterStandardClasses();

}  // namespace tessaline

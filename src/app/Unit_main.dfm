object Form_main: TForm_main
  Left = 377
  Top = 193
  Width = 639
  Height = 432
  Caption = '文件批量更名'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -16
  Font.Name = '宋体'
  Font.Style = []
  Position = poDesktopCenter
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 16
  object Label1: TLabel
    Left = 172
    Top = 219
    Width = 272
    Height = 16
    Caption = '将要批量更名的文件拖到上面的列表中'
  end
  object AIFileDropPan1: TAIFileDropPan
    Left = 0
    Top = 0
    Width = 631
    Height = 213
    Align = alTop
    TabOrder = 0
    AcceptFile = True
    OnDragFile = AIFileDropPan1DragFile
    object ListBox1: TListBox
      Left = 1
      Top = 1
      Width = 629
      Height = 211
      Align = alClient
      ItemHeight = 16
      TabOrder = 0
    end
  end
  object GroupBox1: TGroupBox
    Left = 9
    Top = 243
    Width = 620
    Height = 147
    Caption = '批量更名'
    TabOrder = 1
    object Label2: TLabel
      Left = 12
      Top = 44
      Width = 32
      Height = 16
      Caption = '方式'
    end
    object Label3: TLabel
      Left = 20
      Top = 86
      Width = 80
      Height = 16
      Caption = '请选择方式'
    end
    object Label4: TLabel
      Left = 263
      Top = 24
      Width = 40
      Height = 16
      Caption = '参数1'
    end
    object Label5: TLabel
      Left = 263
      Top = 55
      Width = 40
      Height = 16
      Caption = '参数2'
    end
    object HyperLabel1: THyperLabel
      Left = 184
      Top = 121
      Width = 240
      Height = 16
      Caption = 'BatchRename 项目主页：批量更名，一键完成'
      URL = 'https://batchrename.example.org/'
      HoverFont.Charset = DEFAULT_CHARSET
      HoverFont.Color = clBlue
      HoverFont.Height = -11
      HoverFont.Name = 'MS Sans Serif'
      HoverFont.Style = [fsUnderline]
    end
    object ComboBox1: TComboBox
      Left = 52
      Top = 41
      Width = 160
      Height = 24
      ItemHeight = 16
      TabOrder = 0
      OnChange = ComboBox1Change
      Items.Strings = (
        '文件名前追加'
        '文件名后追加'
        '固定文件名顺序编号'
        '替换文件名中内容'
        '替换文件扩展名')
    end
    object Edit1: TEdit
      Left = 315
      Top = 21
      Width = 287
      Height = 24
      TabOrder = 1
    end
    object Edit2: TEdit
      Left = 315
      Top = 52
      Width = 287
      Height = 24
      TabOrder = 2
    end
    object Button1: TButton
      Left = 430
      Top = 84
      Width = 100
      Height = 33
      Caption = '执行更名'
      TabOrder = 3
      OnClick = Button1Click
    end
  end
end

' frmMain: the main window's toolbar buttons (zkButtonProject.zkButton).
' Window keys (Height .. Width, twips) first, then the control's saved properties.
' Pictures are files beside this description: icons/ here, icons-2x/ for 2x screens.
Begin zkButtonProject.zkButton zkSelect
   Height = 375
   Left = 0
   TabIndex = 2
   ToolTipText = "TWAINデバイスのソースを選択します。"
   Top = 40
   Width = 375
   Caption = ""
   CaptionAlign = 3
   DisablePicture = Picture("icons/zkSelect_disabled.png")
   DownPicture = Picture("icons/zkSelect_down.png")
   Font = Font("ＭＳ Ｐゴシック", 9)
   Picture = Picture("icons/zkSelect.png")
   PictureAlign = 4
   ShowFocusRect = False
End
Begin zkButtonProject.zkButton zkScan
   Height = 375
   Left = 375
   TabIndex = 1
   ToolTipText = "TWAINデバイスから新しいスキャンを行います。"
   Top = 40
   Width = 375
   Caption = ""
   CaptionAlign = 3
   DisablePicture = Picture("icons/zkScan_disabled.png")
   DownPicture = Picture("icons/zkScan_down.png")
   Font = Font("ＭＳ Ｐゴシック", 9)
   Picture = Picture("icons/zkScan.png")
   PictureAlign = 4
   ShowFocusRect = False
End
Begin zkButtonProject.zkButton zkClip
   Height = 375
   Left = 750
   TabIndex = 3
   ToolTipText = "TWAINデバイスからスキャンした画像ファイルをクリップボードにコピーします。"
   Top = 40
   Width = 375
   Caption = ""
   CaptionAlign = 3
   DisablePicture = Picture("icons/zkClip_disabled.png")
   DownPicture = Picture("icons/zkClip_down.png")
   Font = Font("ＭＳ Ｐゴシック", 9)
   Picture = Picture("icons/zkClip.png")
   PictureAlign = 4
   ShowFocusRect = False
End
Begin zkButtonProject.zkButton zkBookPDF
   Height = 375
   Left = 1125
   TabIndex = 4
   ToolTipText = "複数のスキャンした画像をPDFファイルに変換します。"
   Top = 40
   Width = 375
   Caption = ""
   CaptionAlign = 3
   DisablePicture = Picture("icons/zkBookPDF_disabled.png")
   DownPicture = Picture("icons/zkBookPDF_down.png")
   Font = Font("ＭＳ Ｐゴシック", 9)
   Picture = Picture("icons/zkBookPDF.png")
   PictureAlign = 4
   ShowFocusRect = False
End
Begin zkButtonProject.zkButton zkBMP
   Height = 375
   Left = 1500
   TabIndex = 5
   ToolTipText = "スキャンした画像をBMPファイルに保存します。"
   Top = 45
   Width = 375
   Caption = ""
   CaptionAlign = 3
   DisablePicture = Picture("icons/zkBMP_disabled.png")
   DownPicture = Picture("icons/zkBMP_down.png")
   Font = Font("ＭＳ Ｐゴシック", 9)
   Picture = Picture("icons/zkBMP.png")
   PictureAlign = 4
   ShowFocusRect = False
End
Begin zkButtonProject.zkButton zkJPEG
   Height = 375
   Left = 1875
   TabIndex = 6
   ToolTipText = "スキャンした画像をJPEGファイルに保存します。"
   Top = 45
   Width = 375
   Caption = ""
   CaptionAlign = 3
   DisablePicture = Picture("icons/zkJPEG_disabled.png")
   DownPicture = Picture("icons/zkJPEG_down.png")
   Font = Font("ＭＳ Ｐゴシック", 9)
   Picture = Picture("icons/zkJPEG.png")
   PictureAlign = 4
   ShowFocusRect = False
End
Begin zkButtonProject.zkButton zkPDF
   Height = 375
   Left = 2250
   TabIndex = 7
   ToolTipText = "スキャンした画像をPDFファイルに保存します。"
   Top = 45
   Width = 375
   Caption = ""
   CaptionAlign = 3
   DisablePicture = Picture("icons/zkPDF_disabled.png")
   DownPicture = Picture("icons/zkPDF_down.png")
   Font = Font("ＭＳ Ｐゴシック", 9)
   Picture = Picture("icons/zkPDF.png")
   PictureAlign = 4
   ShowFocusRect = False
End
Begin zkButtonProject.zkButton zkhelp
   Height = 375
   Left = 2625
   TabIndex = 8
   ToolTipText = "ヘルプファイルを表示します。"
   Top = 45
   Width = 375
   Caption = ""
   CaptionAlign = 3
   DisablePicture = Picture("icons/zkhelp_disabled.png")
   DownPicture = Picture("icons/zkhelp_down.png")
   Font = Font("ＭＳ Ｐゴシック", 9)
   Picture = Picture("icons/zkhelp.png")
   PictureAlign = 4
   ShowFocusRect = False
End
Begin zkButtonProject.zkButton zkExit
   Height = 375
   Left = 3000
   TabIndex = 9
   ToolTipText = "アプリケーションを終了させます。"
   Top = 45
   Width = 375
   Caption = ""
   CaptionAlign = 3
   DisablePicture = Picture("icons/zkExit_disabled.png")
   DownPicture = Picture("icons/zkExit_down.png")
   Font = Font("ＭＳ Ｐゴシック", 9)
   Picture = Picture("icons/zkExit.png")
   PictureAlign = 4
   ShowFocusRect = False
End

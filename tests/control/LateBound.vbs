' Uses every member of the skin control late-bound, as a script client does,
' and prints what it reads back; late_bound_test.sh compares the output.
Set c = CreateObject("Qel_SkinControl.Qel_SkinCtrl")
WScript.Echo "Skin " & c.Skin & " Active " & c.IsSkinActive() & " Allows " & c.SkinAllowsIcon()
c.ChangeControlColor = False
c.FormMaxWidth = 9000
c.FormMinWidth = 3000
c.FormMaxHeight = 8000
c.FormMinHeight = 2000
c.SaveSkinToRegistry = False
c.LoadSkinFromRegistry = False
c.AlwaysOnTop = True
c.ShowIcon = False
WScript.Echo "Limits " & c.FormMinWidth & " " & c.FormMaxWidth & " " & c.FormMinHeight & " " & c.FormMaxHeight
WScript.Echo "Flags " & c.ChangeControlColor & " " & c.SaveSkinToRegistry & " " & c.LoadSkinFromRegistry & " " & c.AlwaysOnTop & " " & c.ShowIcon
c.Skin = 3
WScript.Echo "Skin " & c.Skin
n = 5
c.ActivateSkin n
WScript.Echo "Skin " & c.Skin
c.ActivateSkin
c.DeactivateSkin
WScript.Echo "Active " & c.IsSkinActive()
Set p = c.SkinPicture
Set c.SkinPicture = p
WScript.Echo "Picture " & (p.Width > 0)
c.SaveSkinPicture WScript.Arguments(0)
Set fs = CreateObject("Scripting.FileSystemObject")
WScript.Echo "Saved " & fs.FileExists(WScript.Arguments(0))
Set t = CreateObject("Qel_SkinControl.CTimer")
t.Interval = 100
WScript.Echo "Interval " & t.Interval
t.Interval = 0

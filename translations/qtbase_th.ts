<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Qt's own texts that Tamrik shows (the file dialogs of the PDF and CSV saves, the
     message boxes' buttons, the menus of line edits and scroll bars) in Thai. Contexts and
     sources as Qt 6.4 gives them; built into the program at build time. -->
<TS version="2.1" language="th_TH" sourcelanguage="en_US">
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>ใช่(&amp;Y)</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>ไม่ใช่(&amp;N)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>เปิด</translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;OK</source>
        <translation>ตกลง(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>ยกเลิก(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>บันทึก(&amp;S)</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Look in:</source>
        <translation>ดูใน:</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>ย้อนกลับ</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>กลับไปโฟลเดอร์ก่อนหน้า</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>ไปข้างหน้า</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>ไปโฟลเดอร์ถัดไป</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>โฟลเดอร์ระดับบน</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>ขึ้นไปยังโฟลเดอร์ระดับบน</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>สร้างโฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>สร้างโฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>มุมมองรายการ</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>แสดงแบบรายการ</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>มุมมองรายละเอียด</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>แสดงแบบรายละเอียด</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>แถบข้าง</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>ตำแหน่งและที่คั่นหน้า</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ไฟล์</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>ชนิดไฟล์:</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>ชื่อไฟล์(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>บันทึก(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>เปิด(&amp;O)</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>แสดง</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>เปลี่ยนชื่อ(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>ลบ(&amp;D)</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>แสดงไฟล์ที่ซ่อนไว้(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>โฟลเดอร์ใหม่(&amp;N)</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>โฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Are you sure you want to delete &apos;%1&apos;?</source>
        <translation>ต้องการลบ &apos;%1&apos; ใช่หรือไม่</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is write protected.
Do you want to delete it anyway?</source>
        <translation>&apos;%1&apos; ถูกป้องกันการเขียน
ต้องการลบหรือไม่</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>ลบโฟลเดอร์ไม่ได้</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 มีอยู่แล้ว
ต้องการบันทึกทับหรือไม่</translation>
    </message>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
ไม่พบโฟลเดอร์นี้
กรุณาตรวจสอบชื่อโฟลเดอร์</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>ตำแหน่งล่าสุด</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>นำออก</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>ชื่อ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>ขนาด</translation>
    </message>
    <message>
        <source>Type</source>
        <comment>All other platforms</comment>
        <translation>ชนิด</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>วันที่แก้ไข</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>คอมพิวเตอร์</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>ไดรฟ์</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>โฟลเดอร์</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <comment>All other platforms</comment>
        <translation>ทางลัด</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>ไม่ทราบชนิด</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>เลิกทำ(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>ทำซ้ำ(&amp;R)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>ตัด(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>คัดลอก(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>วาง(&amp;P)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Copy</source>
        <translation>คัดลอก(&amp;C)</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
</context>
<context>
    <name>QScrollBar</name>
    <message>
        <source>Scroll here</source>
        <translation>เลื่อนมาที่นี่</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>บนสุด</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>ล่างสุด</translation>
    </message>
    <message>
        <source>Left edge</source>
        <translation>ซ้ายสุด</translation>
    </message>
    <message>
        <source>Right edge</source>
        <translation>ขวาสุด</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>ขึ้นหนึ่งหน้า</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>ลงหนึ่งหน้า</translation>
    </message>
    <message>
        <source>Page left</source>
        <translation>ซ้ายหนึ่งหน้า</translation>
    </message>
    <message>
        <source>Page right</source>
        <translation>ขวาหนึ่งหน้า</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>เลื่อนขึ้น</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>เลื่อนลง</translation>
    </message>
    <message>
        <source>Scroll left</source>
        <translation>เลื่อนซ้าย</translation>
    </message>
    <message>
        <source>Scroll right</source>
        <translation>เลื่อนขวา</translation>
    </message>
</context>
</TS>
